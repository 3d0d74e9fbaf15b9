// CString: storage, assignment, concatenation, comparison and buffer access.
// Searching and editing live in cstring_edit.cpp, formatting in
// cstring_format.cpp.
#include <afx.h>

#include <ctype.h>
#include <limits.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

namespace {

// Every empty string points here until it needs a buffer of its own. The
// block is never written: each member that writes asks Reserve for a real
// buffer first.
struct NilString {
  int nDataLength;
  int nAllocLength;
  char chTerminator;
};
const NilString g_nil = {0, 0, '\0'};

char* NilData() { return const_cast<char*>(&g_nil.chTerminator); }

// Largest length we accept, so that header + text + NUL never overflows int.
const int kMaxLength = INT_MAX - 64;

int SafeLength(LPCSTR lpsz) {
  if (lpsz == NULL) return 0;
  size_t n = strlen(lpsz);
  if (n > static_cast<size_t>(kMaxLength)) AfxThrowMemoryException();
  return static_cast<int>(n);
}

bool IsResourceId(LPCSTR lpsz) { return lpsz != NULL && (reinterpret_cast<uintptr_t>(lpsz) >> 16) == 0; }

int CompareFolded(LPCSTR a, LPCSTR b) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* q = reinterpret_cast<const unsigned char*>(b);
  for (;; ++p, ++q) {
    int c1 = tolower(*p);
    int c2 = tolower(*q);
    if (c1 != c2) return c1 < c2 ? -1 : 1;
    if (c1 == 0) return 0;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Storage

bool CString::HasNoBuffer() const { return m_pszData == NilData(); }

void CString::Release() {
  if (!HasNoBuffer()) free(GetHeader());
  m_pszData = NilData();
}

// Makes sure the string owns a buffer for at least nNeeded characters. With
// bKeep the current text (and length) is preserved, otherwise the length is 0.
void CString::Reserve(int nNeeded, bool bKeep) {
  if (nNeeded < 0 || nNeeded > kMaxLength) AfxThrowMemoryException();
  int nOldLength = GetLength();
  if (!HasNoBuffer() && GetHeader()->nAllocLength >= nNeeded) {
    if (!bKeep) SetLengthInternal(0);
    return;
  }
  size_t bytes = sizeof(Header) + static_cast<size_t>(nNeeded) + 1;
  Header* header = static_cast<Header*>(malloc(bytes));
  if (header == NULL) AfxThrowMemoryException();
  header->nAllocLength = nNeeded;
  char* data = reinterpret_cast<char*>(header + 1);
  int nKeep = bKeep ? nOldLength : 0;
  if (nKeep > 0) memcpy(data, m_pszData, static_cast<size_t>(nKeep));
  header->nDataLength = nKeep;
  data[nKeep] = '\0';
  data[nNeeded] = '\0';  // the byte after the room is always a terminator
  Release();
  m_pszData = data;
}

void CString::SetLengthInternal(int nLength) {
  if (HasNoBuffer()) return;  // only length 0 is possible here
  GetHeader()->nDataLength = nLength;
  m_pszData[nLength] = '\0';
}

// Replaces the text; the source may lie inside this string's own buffer.
void CString::AssignRaw(LPCSTR lpch, int nLength) {
  if (nLength <= 0) {
    if (!HasNoBuffer()) SetLengthInternal(0);
    return;
  }
  if (!HasNoBuffer() && GetHeader()->nAllocLength >= nLength) {
    memmove(m_pszData, lpch, static_cast<size_t>(nLength));
    SetLengthInternal(nLength);
    return;
  }
  CString fresh;
  fresh.Reserve(nLength, false);
  memcpy(fresh.m_pszData, lpch, static_cast<size_t>(nLength));
  fresh.SetLengthInternal(nLength);
  char* tmp = m_pszData;
  m_pszData = fresh.m_pszData;
  fresh.m_pszData = tmp;
}

// Appends; the source may lie inside this string's own buffer.
void CString::AppendRaw(LPCSTR lpch, int nLength) {
  if (nLength <= 0) return;
  int nOld = GetLength();
  if (nLength > kMaxLength - nOld) AfxThrowMemoryException();
  int nNew = nOld + nLength;
  if (HasNoBuffer() || GetHeader()->nAllocLength < nNew) {
    // Grow by half again so that repeated appends stay linear overall.
    long long grown = static_cast<long long>(nOld) + nOld / 2;
    int nAlloc = grown > nNew ? static_cast<int>(grown < kMaxLength ? grown : kMaxLength) : nNew;
    CString fresh;
    fresh.Reserve(nAlloc, false);
    memcpy(fresh.m_pszData, m_pszData, static_cast<size_t>(nOld));
    memcpy(fresh.m_pszData + nOld, lpch, static_cast<size_t>(nLength));
    fresh.SetLengthInternal(nNew);
    char* tmp = m_pszData;
    m_pszData = fresh.m_pszData;
    fresh.m_pszData = tmp;
    return;
  }
  memmove(m_pszData + nOld, lpch, static_cast<size_t>(nLength));
  SetLengthInternal(nNew);
}

// ---------------------------------------------------------------------------
// Construction

CString::CString() : m_pszData(NilData()) {}

CString::CString(const CString& stringSrc) : m_pszData(NilData()) {
  AssignRaw(stringSrc.m_pszData, stringSrc.GetLength());
}

CString::CString(CString&& stringSrc) noexcept : m_pszData(stringSrc.m_pszData) {
  stringSrc.m_pszData = NilData();
}

CString::CString(char ch, int nRepeat) : m_pszData(NilData()) {
  if (nRepeat <= 0) return;
  Reserve(nRepeat, false);
  memset(m_pszData, static_cast<unsigned char>(ch), static_cast<size_t>(nRepeat));
  SetLengthInternal(nRepeat);
}

CString::CString(LPCSTR lpsz) : m_pszData(NilData()) {
  if (IsResourceId(lpsz)) {
    LoadString(static_cast<UINT>(reinterpret_cast<uintptr_t>(lpsz)));
    return;
  }
  AssignRaw(lpsz, SafeLength(lpsz));
}

CString::CString(LPCSTR lpch, int nLength) : m_pszData(NilData()) {
  if (lpch == NULL || nLength <= 0) return;
  AssignRaw(lpch, nLength);
}

CString::CString(const unsigned char* psz) : CString(reinterpret_cast<LPCSTR>(psz)) {}

CString::~CString() { Release(); }

// ---------------------------------------------------------------------------
// Length and content

int CString::GetLength() const { return GetHeader()->nDataLength; }

int CString::GetAllocLength() const { return GetHeader()->nAllocLength; }

void CString::Empty() { Release(); }

char CString::GetAt(int nIndex) const {
  if (nIndex < 0 || nIndex > GetLength()) AfxThrowInvalidArgException();
  return m_pszData[nIndex];
}

void CString::SetAt(int nIndex, char ch) {
  if (nIndex < 0 || nIndex >= GetLength()) AfxThrowInvalidArgException();
  m_pszData[nIndex] = ch;
}

void CString::Truncate(int nNewLength) {
  if (nNewLength < 0 || nNewLength > GetLength()) AfxThrowInvalidArgException();
  SetLengthInternal(nNewLength);
}

// ---------------------------------------------------------------------------
// Assignment and concatenation

CString& CString::operator=(const CString& stringSrc) {
  if (this != &stringSrc) AssignRaw(stringSrc.m_pszData, stringSrc.GetLength());
  return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept {
  if (this != &stringSrc) {
    Release();
    m_pszData = stringSrc.m_pszData;
    stringSrc.m_pszData = NilData();
  }
  return *this;
}

CString& CString::operator=(char ch) {
  AssignRaw(&ch, 1);
  return *this;
}

CString& CString::operator=(LPCSTR lpsz) {
  AssignRaw(lpsz, SafeLength(lpsz));
  return *this;
}

CString& CString::operator=(const unsigned char* psz) { return *this = reinterpret_cast<LPCSTR>(psz); }

CString& CString::operator+=(const CString& string) {
  AppendRaw(string.m_pszData, string.GetLength());
  return *this;
}

CString& CString::operator+=(char ch) {
  AppendRaw(&ch, 1);
  return *this;
}

CString& CString::operator+=(LPCSTR lpsz) {
  AppendRaw(lpsz, SafeLength(lpsz));
  return *this;
}

void CString::SetString(LPCSTR lpch, int nLength) {
  if (lpch == NULL) nLength = 0;
  AssignRaw(lpch, nLength);
}

void CString::Append(LPCSTR lpch, int nLength) {
  if (lpch != NULL) AppendRaw(lpch, nLength);
}

void CString::Append(LPCSTR lpsz) { AppendRaw(lpsz, SafeLength(lpsz)); }

void CString::AppendChar(char ch) { AppendRaw(&ch, 1); }

CString operator+(const CString& string1, const CString& string2) {
  CString result;
  result.Preallocate(string1.GetLength() + string2.GetLength());
  result += string1;
  result += string2;
  return result;
}

CString operator+(const CString& string, char ch) {
  CString result(string);
  result += ch;
  return result;
}

CString operator+(char ch, const CString& string) {
  CString result(ch);
  result += string;
  return result;
}

CString operator+(const CString& string, LPCSTR lpsz) {
  CString result(string);
  result += lpsz;
  return result;
}

CString operator+(LPCSTR lpsz, const CString& string) {
  CString result(lpsz);
  result += string;
  return result;
}

// ---------------------------------------------------------------------------
// Comparison

int CString::Compare(LPCSTR lpsz) const {
  int r = strcmp(m_pszData, lpsz ? lpsz : "");
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(LPCSTR lpsz) const { return CompareFolded(m_pszData, lpsz ? lpsz : ""); }

int CString::Collate(LPCSTR lpsz) const {
  int r = strcoll(m_pszData, lpsz ? lpsz : "");
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CollateNoCase(LPCSTR lpsz) const {
  CString self(m_pszData);
  CString other(lpsz ? lpsz : "");
  self.MakeLower();
  other.MakeLower();
  return self.Collate(other);
}

bool operator==(const CString& s1, const CString& s2) { return s1.Compare(s2) == 0; }
bool operator==(const CString& s1, LPCSTR s2) { return s1.Compare(s2) == 0; }
bool operator==(LPCSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
bool operator!=(const CString& s1, const CString& s2) { return s1.Compare(s2) != 0; }
bool operator!=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) != 0; }
bool operator!=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
bool operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
bool operator<(const CString& s1, LPCSTR s2) { return s1.Compare(s2) < 0; }
bool operator<(LPCSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
bool operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
bool operator>(const CString& s1, LPCSTR s2) { return s1.Compare(s2) > 0; }
bool operator>(LPCSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
bool operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
bool operator<=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) <= 0; }
bool operator<=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
bool operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
bool operator>=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) >= 0; }
bool operator>=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

// ---------------------------------------------------------------------------
// Buffer access

LPSTR CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength < 0) nMinBufLength = 0;
  int nLength = GetLength();
  Reserve(nMinBufLength > nLength ? nMinBufLength : nLength, true);
  return m_pszData;
}

LPSTR CString::GetBufferSetLength(int nNewLength) {
  if (nNewLength < 0) AfxThrowInvalidArgException();
  GetBuffer(nNewLength);
  SetLengthInternal(nNewLength);
  return m_pszData;
}

void CString::ReleaseBuffer(int nNewLength) {
  if (HasNoBuffer()) return;
  int nAlloc = GetHeader()->nAllocLength;
  if (nNewLength < 0) {
    // The caller wrote a C string: its length is up to the first NUL, and
    // never past the buffer even if the caller forgot the terminator.
    const void* end = memchr(m_pszData, '\0', static_cast<size_t>(nAlloc) + 1);
    nNewLength = end ? static_cast<int>(static_cast<const char*>(end) - m_pszData) : nAlloc;
  }
  if (nNewLength > nAlloc) nNewLength = nAlloc;
  SetLengthInternal(nNewLength);
}

void CString::Preallocate(int nLength) {
  if (nLength > GetAllocLength()) Reserve(nLength, true);
}

void CString::FreeExtra() {
  if (HasNoBuffer() || GetHeader()->nAllocLength == GetLength()) return;
  if (GetLength() == 0) {
    Release();
    return;
  }
  CString copy(m_pszData, GetLength());
  *this = static_cast<CString&&>(copy);
}
