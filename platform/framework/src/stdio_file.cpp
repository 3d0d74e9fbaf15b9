// CStdioFile on the C runtime's buffered streams.
#include <afx.h>

#include <errno.h>
#include <limits.h>
#include <string.h>

#include "open_request.h"

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {

// Reads one chunk of a line with fgets and tells how many bytes it stored,
// NULs included: the buffer is pre-filled with non-NUL bytes, so the last
// NUL in it is the terminator fgets wrote. -1 at the end of the file.
int ReadChunk(FILE* stream, char* buffer, int size) {
  memset(buffer, 'x', static_cast<size_t>(size));
  if (fgets(buffer, size, stream) == NULL) return -1;
  int n = size - 1;
  while (n > 0 && buffer[n] != '\0') --n;
  return n;
}

}  // namespace

CStdioFile::CStdioFile() : m_pStream(NULL) {}

CStdioFile::CStdioFile(FILE* pOpenStream) : m_pStream(pOpenStream) { m_bCloseOnDelete = FALSE; }

CStdioFile::CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_pStream(NULL) {
  CFileException e;
  if (!CStdioFile::Open(lpszFileName, nOpenFlags, &e)) {
    AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
  }
}

CStdioFile::~CStdioFile() {
  if (m_pStream != NULL && m_bCloseOnDelete) CStdioFile::Abort();
}

BOOL CStdioFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  if (m_pStream != NULL) CStdioFile::Abort();  // an object opens one file at a time
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
  if (!afx_open::CheckRequest(lpszFileName, nOpenFlags, pError)) return FALSE;

  // Reading a file that is created when missing must not take write access:
  // other readers that deny writing (as every loader of a profile does) would
  // be shut out. The file is created first if need be, then opened to read.
  bool bCreateThenRead = (nOpenFlags & (modeCreate | modeNoTruncate)) == (modeCreate | modeNoTruncate) &&
                         (nOpenFlags & 3) == modeRead;

  // The mode string: "w" creates or truncates, "a" creates or keeps (and
  // appends), "r" opens what exists; "+" when the access asked for differs
  // from what the letter alone gives; then text or binary.
  char szMode[4];
  int nMode = 0;
  if (bCreateThenRead) {
    szMode[nMode++] = 'r';
  } else if (nOpenFlags & modeCreate) {
    szMode[nMode++] = (nOpenFlags & modeNoTruncate) ? 'a' : 'w';
  } else if (nOpenFlags & modeWrite) {
    szMode[nMode++] = 'a';
  } else {
    szMode[nMode++] = 'r';
  }
  if ((szMode[0] == 'r' && (nOpenFlags & modeReadWrite)) || (szMode[0] != 'r' && !(nOpenFlags & modeWrite))) {
    szMode[nMode++] = '+';
  }
  szMode[nMode++] = (nOpenFlags & typeBinary) ? 'b' : 't';
  szMode[nMode] = '\0';

  // Without modeCreate the file must exist; "a" alone would create it.
  if (!(nOpenFlags & modeCreate) && szMode[0] == 'a') {
    SetLastError(NO_ERROR);
    if (GetFileAttributesA(lpszFileName) == INVALID_FILE_ATTRIBUTES) {
      DWORD dwError = GetLastError();
      afx_open::FillOpenError(pError, dwError != NO_ERROR ? dwError : ERROR_FILE_NOT_FOUND, ENOENT, lpszFileName);
      return FALSE;
    }
  }

  if (bCreateThenRead) {
    SetLastError(NO_ERROR);
    HANDLE hFile = CreateFileA(lpszFileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
      afx_open::FillOpenError(pError, GetLastError(), EACCES, lpszFileName);
      return FALSE;
    }
    CloseHandle(hFile);
  }

  SetLastError(NO_ERROR);
  errno = 0;
  FILE* pStream = _fsopen(lpszFileName, szMode, afx_open::ShareModeOf(nOpenFlags).nShareFlag);
  if (pStream == NULL) {
    int nErrno = errno;
    afx_open::FillOpenError(pError, GetLastError(), nErrno, lpszFileName);
    return FALSE;
  }
  // An appending stream still reads from the start of the file; writes go
  // to the end whatever the position (runtimes differ on where "a+" starts).
  if (szMode[0] == 'a') fseek(pStream, 0, SEEK_SET);
  m_pStream = pStream;
  m_bCloseOnDelete = TRUE;
  m_strFileName = afx_open::FullPath(lpszFileName);
  return TRUE;
}

void CStdioFile::WriteString(LPCSTR lpsz) {
  if (lpsz == NULL) AfxThrowInvalidArgException();
  if (m_pStream == NULL) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  if (fputs(lpsz, m_pStream) == EOF) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

BOOL CStdioFile::ReadString(CString& rString) {
  rString.Empty();
  if (m_pStream == NULL) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  // Short lines are the common case: a small first chunk keeps the cost per
  // line low, longer lines continue in larger chunks.
  char smallChunk[256];
  char largeChunk[8192];
  bool bAny = false;
  for (;;) {
    char* buffer = bAny ? largeChunk : smallChunk;
    int size = bAny ? static_cast<int>(sizeof largeChunk) : static_cast<int>(sizeof smallChunk);
    int n = ReadChunk(m_pStream, buffer, size);
    if (n < 0) {
      if (ferror(m_pStream)) {
        int nErrno = errno;
        clearerr(m_pStream);
        AfxThrowFileException(CFileException::ErrnoToException(nErrno) == CFileException::none
                                  ? CFileException::genericException
                                  : CFileException::ErrnoToException(nErrno),
                              -1, m_strFileName);
      }
      break;  // end of file
    }
    bAny = true;
    rString.Append(buffer, n);
    if (n > 0 && buffer[n - 1] == '\n') break;
  }
  int nLength = rString.GetLength();
  if (nLength > 0 && rString[nLength - 1] == '\n') rString.Truncate(nLength - 1);
  return bAny ? TRUE : FALSE;
}

LPSTR CStdioFile::ReadString(LPSTR lpsz, UINT nMax) {
  if (lpsz == NULL || nMax == 0) AfxThrowInvalidArgException();
  if (m_pStream == NULL) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  int nSize = nMax > static_cast<UINT>(INT_MAX) ? INT_MAX : static_cast<int>(nMax);
  LPSTR lpszResult = fgets(lpsz, nSize, m_pStream);
  if (lpszResult == NULL && !feof(m_pStream)) {
    clearerr(m_pStream);
    AfxThrowFileException(CFileException::genericException, -1, m_strFileName);
  }
  return lpszResult;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0) return 0;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  if (m_pStream == NULL) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  size_t nRead = fread(lpBuf, 1, nCount, m_pStream);
  if (nRead == 0 && !feof(m_pStream)) AfxThrowFileException(CFileException::genericException, -1, m_strFileName);
  if (ferror(m_pStream)) {
    clearerr(m_pStream);
    AfxThrowFileException(CFileException::genericException, -1, m_strFileName);
  }
  return static_cast<UINT>(nRead);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  if (m_pStream == NULL) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount) {
    AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
  }
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom) {
  if (nFrom != begin && nFrom != current && nFrom != end) AfxThrowInvalidArgException();
  if (m_pStream == NULL) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  long lOffset = static_cast<long>(lOff);
  if (static_cast<LONGLONG>(lOffset) != lOff || fseek(m_pStream, lOffset, static_cast<int>(nFrom)) != 0) {
    AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
  }
  return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const {
  if (m_pStream == NULL) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  long pos = ftell(m_pStream);
  if (pos < 0) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  return static_cast<ULONGLONG>(pos);
}

ULONGLONG CStdioFile::GetLength() const {
  if (m_pStream == NULL) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  long pos = ftell(m_pStream);
  if (pos < 0 || fseek(m_pStream, 0, SEEK_END) != 0) {
    AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
  }
  long length = ftell(m_pStream);
  if (length < 0 || fseek(m_pStream, pos, SEEK_SET) != 0) {
    AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
  }
  return static_cast<ULONGLONG>(length);
}

void CStdioFile::SetLength(ULONGLONG) { AfxThrowNotSupportedException(); }

void CStdioFile::Flush() {
  if (m_pStream != NULL && fflush(m_pStream) != 0) {
    AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
  }
}

void CStdioFile::Close() {
  int nErr = 0;
  if (m_pStream != NULL) nErr = fclose(m_pStream);
  CString strFileName = m_strFileName;
  m_pStream = NULL;
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
  if (nErr != 0) AfxThrowFileException(CFileException::diskFull, -1, strFileName);
}

void CStdioFile::Abort() {
  if (m_pStream != NULL) fclose(m_pStream);
  m_pStream = NULL;
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
}

CFile* CStdioFile::Duplicate() const { AfxThrowNotSupportedException(); }

BOOL CStdioFile::GetStatus(CFileStatus& rStatus) const {
  if (m_pStream != NULL) fflush(m_pStream);  // so that the size on disk is current
  return CFile::GetStatus(rStatus);
}
