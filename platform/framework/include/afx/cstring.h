// CString: a counted, heap-owned string of 8-bit characters.
//
// The object is one pointer to the characters; the length and the size of
// the allocation sit in a small header in front of them. The text is always
// followed by a NUL, so the string converts to LPCSTR for free. Embedded NUL
// characters are kept by the counted operations (construction from a pointer
// and a count, GetBufferSetLength, Mid/Left/Right, concatenation); the
// operations that work on C strings (Find, Compare, Replace ...) stop at the
// first NUL, as a C programmer expects.
//
// Out-of-range indexes to GetAt/SetAt/operator[] throw CInvalidArgException;
// running out of memory throws CMemoryException.
#pragma once

#include <windows.h>
#include <stdarg.h>

#if defined(__GNUC__)
#define AFX_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define AFX_PRINTF_FORMAT(fmt, args)
#endif

class CString {
 public:
  // Construction. A pointer whose value is below 0x10000 is a string
  // resource number (MAKEINTRESOURCE), and the string loads that text.
  CString();
  CString(const CString& stringSrc);
  CString(CString&& stringSrc) noexcept;
  CString(char ch, int nRepeat = 1);
  CString(LPCSTR lpsz);
  CString(LPCSTR lpch, int nLength);  // exactly nLength characters, NULs included
  CString(const unsigned char* psz);
  ~CString();

  // Length and content.
  int GetLength() const;
  int GetAllocLength() const;
  BOOL IsEmpty() const { return GetLength() == 0; }
  void Empty();  // also frees the buffer
  char GetAt(int nIndex) const;  // index == length gives the terminating NUL
  char operator[](int nIndex) const { return GetAt(nIndex); }
  void SetAt(int nIndex, char ch);
  operator LPCSTR() const { return m_pszData; }
  LPCSTR GetString() const { return m_pszData; }

  // Assignment and concatenation.
  CString& operator=(const CString& stringSrc);
  CString& operator=(CString&& stringSrc) noexcept;
  CString& operator=(char ch);
  CString& operator=(LPCSTR lpsz);
  CString& operator=(const unsigned char* psz);
  CString& operator+=(const CString& string);
  CString& operator+=(char ch);
  CString& operator+=(LPCSTR lpsz);
  void SetString(LPCSTR lpch, int nLength);
  void Append(LPCSTR lpch, int nLength);
  void Append(LPCSTR lpsz);
  void AppendChar(char ch);

  friend CString operator+(const CString& string1, const CString& string2);
  friend CString operator+(const CString& string, char ch);
  friend CString operator+(char ch, const CString& string);
  friend CString operator+(const CString& string, LPCSTR lpsz);
  friend CString operator+(LPCSTR lpsz, const CString& string);

  // Comparison (strcmp rules; a null pointer compares as ""). Collate uses
  // the current locale's collation (strcoll); the NoCase forms fold case
  // byte by byte first.
  int Compare(LPCSTR lpsz) const;
  int CompareNoCase(LPCSTR lpsz) const;
  int Collate(LPCSTR lpsz) const;
  int CollateNoCase(LPCSTR lpsz) const;

  // Parts. Counts and positions out of range are clipped to the string.
  CString Mid(int nFirst, int nCount) const;
  CString Mid(int nFirst) const;
  CString Left(int nCount) const;
  CString Right(int nCount) const;
  CString SpanIncluding(LPCSTR lpszCharSet) const;  // leading run of characters in the set
  CString SpanExcluding(LPCSTR lpszCharSet) const;  // leading run of characters not in the set
  // The next token after iStart, skipping leading delimiters; iStart moves
  // past the token's delimiter, and becomes -1 (with an empty result) when
  // no token is left.
  CString Tokenize(LPCSTR pszTokens, int& iStart) const;

  // Changes in place; each returns the string itself.
  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();
  CString& Trim();                  // white space at both ends
  CString& Trim(char chTarget);
  CString& Trim(LPCSTR lpszTargets);  // any character of the set
  CString& TrimLeft();
  CString& TrimLeft(char chTarget);
  CString& TrimLeft(LPCSTR lpszTargets);
  CString& TrimRight();
  CString& TrimRight(char chTarget);
  CString& TrimRight(LPCSTR lpszTargets);
  void Truncate(int nNewLength);

  // Replacement; each returns the number of replacements or removals made.
  int Replace(char chOld, char chNew);
  int Replace(LPCSTR lpszOld, LPCSTR lpszNew);
  int Remove(char chRemove);
  // Insert and Delete clip the index to the string and return the new length.
  int Insert(int nIndex, char ch);
  int Insert(int nIndex, LPCSTR pstr);
  int Delete(int nIndex, int nCount = 1);

  // Searching; each returns a 0-based index or -1. A start outside the
  // string finds nothing (for a substring, a start equal to the length is
  // allowed).
  int Find(char ch, int nStart = 0) const;
  int Find(LPCSTR lpszSub, int nStart = 0) const;
  int ReverseFind(char ch) const;
  int FindOneOf(LPCSTR lpszCharSet) const;

  // printf-style formatting of any length; the format is never taken from
  // the string itself, so a string may format into itself safely.
  void Format(LPCSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
  void Format(UINT nFormatID, ...);  // the format is a string resource
  void FormatV(LPCSTR lpszFormat, va_list argList) AFX_PRINTF_FORMAT(2, 0);
  void AppendFormat(LPCSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
  void AppendFormatV(LPCSTR lpszFormat, va_list argList) AFX_PRINTF_FORMAT(2, 0);

  // Loads a numbered text from the registered string tables (see
  // afx/resources.h). FALSE, with the string unchanged, for an unknown number.
  BOOL LoadString(UINT nID);

  // Direct access to the buffer. GetBuffer returns room for at least
  // nMinBufLength characters plus a NUL; ReleaseBuffer sets the length
  // (-1: up to the first NUL) and must follow before other members are used.
  LPSTR GetBuffer(int nMinBufLength);
  LPSTR GetBuffer() { return GetBuffer(0); }
  LPSTR GetBufferSetLength(int nNewLength);
  void ReleaseBuffer(int nNewLength = -1);
  void ReleaseBufferSetLength(int nNewLength) { ReleaseBuffer(nNewLength); }
  void Preallocate(int nLength);
  void FreeExtra();
  LPSTR LockBuffer() { return GetBuffer(0); }
  void UnlockBuffer() {}

 private:
  struct Header {
    int nDataLength;
    int nAllocLength;
  };
  Header* GetHeader() const { return reinterpret_cast<Header*>(m_pszData) - 1; }
  // True while the string holds no buffer of its own: it points at the one
  // shared empty string.
  bool HasNoBuffer() const;
  void Reserve(int nNeeded, bool bKeep);
  void SetLengthInternal(int nLength);
  void AssignRaw(LPCSTR lpch, int nLength);
  void AppendRaw(LPCSTR lpch, int nLength);
  void Release();

  char* m_pszData;
};

// Comparisons with CString or LPCSTR on either side (strcmp order).
bool operator==(const CString& s1, const CString& s2);
bool operator==(const CString& s1, LPCSTR s2);
bool operator==(LPCSTR s1, const CString& s2);
bool operator!=(const CString& s1, const CString& s2);
bool operator!=(const CString& s1, LPCSTR s2);
bool operator!=(LPCSTR s1, const CString& s2);
bool operator<(const CString& s1, const CString& s2);
bool operator<(const CString& s1, LPCSTR s2);
bool operator<(LPCSTR s1, const CString& s2);
bool operator>(const CString& s1, const CString& s2);
bool operator>(const CString& s1, LPCSTR s2);
bool operator>(LPCSTR s1, const CString& s2);
bool operator<=(const CString& s1, const CString& s2);
bool operator<=(const CString& s1, LPCSTR s2);
bool operator<=(LPCSTR s1, const CString& s2);
bool operator>=(const CString& s1, const CString& s2);
bool operator>=(const CString& s1, LPCSTR s2);
bool operator>=(LPCSTR s1, const CString& s2);

typedef CString CStringA;
