// CString: parts, searching, trimming and in-place edits.
#include <afx.h>

#include <ctype.h>
#include <string.h>

namespace {

bool IsSpace(char ch) { return isspace(static_cast<unsigned char>(ch)) != 0; }

// A NUL is never part of a character set: strchr would find the set's own
// terminator.
bool InSet(char ch, LPCSTR lpszSet) { return ch != '\0' && strchr(lpszSet, ch) != NULL; }

}  // namespace

// ---------------------------------------------------------------------------
// Parts

CString CString::Mid(int nFirst, int nCount) const {
  int nLength = GetLength();
  if (nFirst < 0) nFirst = 0;
  if (nCount < 0) nCount = 0;
  if (nFirst > nLength) return CString();
  if (static_cast<long long>(nFirst) + nCount > nLength) nCount = nLength - nFirst;
  if (nFirst == 0 && nCount == nLength) return *this;
  return CString(m_pszData + nFirst, nCount);
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength() - (nFirst < 0 ? 0 : nFirst)); }

CString CString::Left(int nCount) const {
  if (nCount < 0) nCount = 0;
  if (nCount >= GetLength()) return *this;
  return CString(m_pszData, nCount);
}

CString CString::Right(int nCount) const {
  int nLength = GetLength();
  if (nCount < 0) nCount = 0;
  if (nCount >= nLength) return *this;
  return CString(m_pszData + nLength - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR lpszCharSet) const {
  return Left(static_cast<int>(strspn(m_pszData, lpszCharSet ? lpszCharSet : "")));
}

CString CString::SpanExcluding(LPCSTR lpszCharSet) const {
  return Left(static_cast<int>(strcspn(m_pszData, lpszCharSet ? lpszCharSet : "")));
}

CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const {
  if (iStart < 0) AfxThrowInvalidArgException();
  int nLength = GetLength();
  if (pszTokens == NULL || *pszTokens == '\0') {
    // Without delimiters the rest of the string is the one token.
    if (iStart < nLength) {
      CString rest(m_pszData + iStart);
      iStart = nLength;
      return rest;
    }
  } else if (iStart < nLength) {
    LPCSTR place = m_pszData + iStart;
    int nIncluding = static_cast<int>(strspn(place, pszTokens));
    if (iStart + nIncluding < nLength) {
      int nFrom = iStart + nIncluding;
      int nUntil = static_cast<int>(strcspn(m_pszData + nFrom, pszTokens));
      iStart = nFrom + nUntil + 1;
      return Mid(nFrom, nUntil);
    }
  }
  iStart = -1;
  return CString();
}

// ---------------------------------------------------------------------------
// Case, order and trimming

CString& CString::MakeUpper() {
  int nLength = GetLength();
  if (nLength == 0) return *this;
  char* p = GetBuffer(0);
  for (int i = 0; i < nLength; ++i) p[i] = static_cast<char>(toupper(static_cast<unsigned char>(p[i])));
  return *this;
}

CString& CString::MakeLower() {
  int nLength = GetLength();
  if (nLength == 0) return *this;
  char* p = GetBuffer(0);
  for (int i = 0; i < nLength; ++i) p[i] = static_cast<char>(tolower(static_cast<unsigned char>(p[i])));
  return *this;
}

CString& CString::MakeReverse() {
  int nLength = GetLength();
  if (nLength < 2) return *this;
  char* p = GetBuffer(0);
  for (int i = 0, j = nLength - 1; i < j; ++i, --j) {
    char tmp = p[i];
    p[i] = p[j];
    p[j] = tmp;
  }
  return *this;
}

CString& CString::TrimLeft() {
  int n = 0;
  int nLength = GetLength();
  while (n < nLength && IsSpace(m_pszData[n])) ++n;
  if (n > 0) Delete(0, n);
  return *this;
}

CString& CString::TrimLeft(char chTarget) {
  int n = 0;
  int nLength = GetLength();
  while (n < nLength && m_pszData[n] == chTarget) ++n;
  if (n > 0) Delete(0, n);
  return *this;
}

CString& CString::TrimLeft(LPCSTR lpszTargets) {
  if (lpszTargets == NULL || *lpszTargets == '\0') return *this;
  int n = 0;
  int nLength = GetLength();
  while (n < nLength && InSet(m_pszData[n], lpszTargets)) ++n;
  if (n > 0) Delete(0, n);
  return *this;
}

CString& CString::TrimRight() {
  int n = GetLength();
  while (n > 0 && IsSpace(m_pszData[n - 1])) --n;
  if (n < GetLength()) Truncate(n);
  return *this;
}

CString& CString::TrimRight(char chTarget) {
  int n = GetLength();
  while (n > 0 && m_pszData[n - 1] == chTarget) --n;
  if (n < GetLength()) Truncate(n);
  return *this;
}

CString& CString::TrimRight(LPCSTR lpszTargets) {
  if (lpszTargets == NULL || *lpszTargets == '\0') return *this;
  int n = GetLength();
  while (n > 0 && InSet(m_pszData[n - 1], lpszTargets)) --n;
  if (n < GetLength()) Truncate(n);
  return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(LPCSTR lpszTargets) { return TrimRight(lpszTargets).TrimLeft(lpszTargets); }

// ---------------------------------------------------------------------------
// Replacement

int CString::Replace(char chOld, char chNew) {
  if (chOld == chNew) return 0;
  int nLength = GetLength();
  int nCount = 0;
  for (int i = 0; i < nLength; ++i) {
    if (m_pszData[i] == chOld) {
      if (nCount == 0) GetBuffer(0);  // own the buffer before writing
      m_pszData[i] = chNew;
      ++nCount;
    }
  }
  return nCount;
}

int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew) {
  if (lpszOld == NULL || *lpszOld == '\0') return 0;
  if (lpszNew == NULL) lpszNew = "";
  size_t nOld = strlen(lpszOld);
  int nNew = static_cast<int>(strlen(lpszNew));
  int nLength = GetLength();
  // Matches are searched in each NUL-separated piece of the text, so none
  // spans an embedded NUL; the NULs themselves are kept.
  CString result;
  int nCount = 0;
  int nDone = 0;  // characters of the source already copied
  LPCSTR pStart = m_pszData;
  LPCSTR pEnd = m_pszData + nLength;
  while (pStart < pEnd) {
    LPCSTR pTarget;
    while ((pTarget = strstr(pStart, lpszOld)) != NULL) {
      result.Append(m_pszData + nDone, static_cast<int>(pTarget - (m_pszData + nDone)));
      result.Append(lpszNew, nNew);
      nDone = static_cast<int>(pTarget - m_pszData) + static_cast<int>(nOld);
      pStart = pTarget + nOld;
      ++nCount;
    }
    pStart += strlen(pStart) + 1;
  }
  if (nCount == 0) return 0;
  result.Append(m_pszData + nDone, nLength - nDone);
  *this = static_cast<CString&&>(result);
  return nCount;
}

int CString::Remove(char chRemove) {
  int nLength = GetLength();
  int nKept = 0;
  for (int i = 0; i < nLength; ++i) {
    if (m_pszData[i] != chRemove) {
      if (nKept != i) m_pszData[nKept] = m_pszData[i];  // only reached after a removal: the buffer is ours
      ++nKept;
    }
  }
  int nCount = nLength - nKept;
  if (nCount > 0) SetLengthInternal(nKept);
  return nCount;
}

int CString::Insert(int nIndex, char ch) { return Insert(nIndex, CString(ch)); }

int CString::Insert(int nIndex, LPCSTR pstr) {
  int nLength = GetLength();
  if (nIndex < 0) nIndex = 0;
  if (nIndex > nLength) nIndex = nLength;
  CString inserted(pstr);  // a copy: pstr may point into this string
  int nInsert = inserted.GetLength();
  if (nInsert == 0) return nLength;
  char* p = GetBuffer(nLength + nInsert);
  memmove(p + nIndex + nInsert, p + nIndex, static_cast<size_t>(nLength - nIndex));
  memcpy(p + nIndex, inserted.m_pszData, static_cast<size_t>(nInsert));
  SetLengthInternal(nLength + nInsert);
  return nLength + nInsert;
}

int CString::Delete(int nIndex, int nCount) {
  int nLength = GetLength();
  if (nIndex < 0) nIndex = 0;
  if (nCount < 0) nCount = 0;
  if (static_cast<long long>(nIndex) + nCount > nLength) nCount = nLength - nIndex;
  if (nCount > 0) {
    memmove(m_pszData + nIndex, m_pszData + nIndex + nCount, static_cast<size_t>(nLength - nIndex - nCount));
    SetLengthInternal(nLength - nCount);
  }
  return GetLength();
}

// ---------------------------------------------------------------------------
// Searching

int CString::Find(char ch, int nStart) const {
  int nLength = GetLength();
  if (nStart < 0 || nStart >= nLength) return -1;
  LPCSTR p = strchr(m_pszData + nStart, ch);
  return p == NULL ? -1 : static_cast<int>(p - m_pszData);
}

int CString::Find(LPCSTR lpszSub, int nStart) const {
  if (lpszSub == NULL) return -1;
  int nLength = GetLength();
  if (nStart < 0 || nStart > nLength) return -1;
  LPCSTR p = strstr(m_pszData + nStart, lpszSub);
  return p == NULL ? -1 : static_cast<int>(p - m_pszData);
}

int CString::ReverseFind(char ch) const {
  LPCSTR p = strrchr(m_pszData, ch);
  return p == NULL ? -1 : static_cast<int>(p - m_pszData);
}

int CString::FindOneOf(LPCSTR lpszCharSet) const {
  if (lpszCharSet == NULL) return -1;
  LPCSTR p = strpbrk(m_pszData, lpszCharSet);
  return p == NULL ? -1 : static_cast<int>(p - m_pszData);
}
