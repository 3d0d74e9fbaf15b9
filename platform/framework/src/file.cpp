// CFile on the Win32 file handle API.
#include <afx.h>

#include <errno.h>
#include <string.h>

#include "open_request.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

// The last component of a path (after the last "\" or "/").
CString LastComponent(const CString& path) {
  int cut = -1;
  for (int i = 0; i < path.GetLength(); ++i) {
    if (path[i] == '\\' || path[i] == '/') cut = i;
  }
  return path.Mid(cut + 1);
}

// The calls that tell a failure by a value that may also be a result: with
// the last error cleared before the call, a failure is the value together
// with a last error.
void ThrowOnFailure(bool bFailureValue, const CString& strFileName) {
  if (!bFailureValue) return;
  DWORD dwError = GetLastError();
  if (dwError != NO_ERROR) CFileException::ThrowOsError(static_cast<LONG>(dwError), strFileName);
}

// Moves the file pointer and returns its new place.
ULONGLONG MovePointer(HANDLE hFile, LONGLONG lOff, DWORD dwMoveMethod, const CString& strFileName) {
  LONG lHigh = static_cast<LONG>(lOff >> 32);
  SetLastError(NO_ERROR);
  DWORD dwLow = SetFilePointer(hFile, static_cast<LONG>(lOff & 0xFFFFFFFF), &lHigh, dwMoveMethod);
  ThrowOnFailure(dwLow == INVALID_SET_FILE_POINTER, strFileName);
  return (static_cast<ULONGLONG>(static_cast<DWORD>(lHigh)) << 32) | dwLow;
}

BYTE AttributesToStatus(DWORD dwAttributes) {
  // The CFile::Attribute bits are the low bits of the Win32 attributes;
  // FILE_ATTRIBUTE_NORMAL (0x80) has no bit of its own there.
  return static_cast<BYTE>(dwAttributes & 0x3F);
}

}  // namespace

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
  // Errors cannot be reported from a destructor: the close is an abort.
  if (m_hFile != hFileNull && m_bCloseOnDelete) CFile::Abort();
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  if (m_hFile != hFileNull) CFile::Abort();  // an object opens one file at a time
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
  if (!afx_open::CheckRequest(lpszFileName, nOpenFlags, pError)) return FALSE;

  DWORD dwAccess = GENERIC_READ;
  if ((nOpenFlags & 3) == modeWrite) dwAccess = GENERIC_WRITE;
  if ((nOpenFlags & 3) == modeReadWrite) dwAccess = GENERIC_READ | GENERIC_WRITE;
  DWORD dwShareMode = afx_open::ShareModeOf(nOpenFlags).dwShareMode;

  DWORD dwCreateFlag;
  if (nOpenFlags & modeCreate) {
    dwCreateFlag = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  } else {
    dwCreateFlag = OPEN_EXISTING;
  }

  DWORD dwFlags = FILE_ATTRIBUTE_NORMAL;
  if (nOpenFlags & osWriteThrough) dwFlags |= FILE_FLAG_WRITE_THROUGH;
  if (nOpenFlags & osRandomAccess) dwFlags |= FILE_FLAG_RANDOM_ACCESS;
  if (nOpenFlags & osSequentialScan) dwFlags |= FILE_FLAG_SEQUENTIAL_SCAN;

  // Handles are never inherited by child processes: the suite's programs
  // start children that must not keep its files open.
  HANDLE hFile = CreateFileA(lpszFileName, dwAccess, dwShareMode, NULL, dwCreateFlag, dwFlags, NULL);
  if (hFile == INVALID_HANDLE_VALUE) {
    afx_open::FillOpenError(pError, GetLastError(), errno, lpszFileName);
    return FALSE;
  }
  m_hFile = hFile;
  m_bCloseOnDelete = TRUE;
  m_strFileName = afx_open::FullPath(lpszFileName);
  return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0) return 0;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  DWORD dwRead = 0;
  if (!ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL)) {
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  }
  return dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  DWORD dwWritten = 0;
  if (!WriteFile(m_hFile, lpBuf, nCount, &dwWritten, NULL)) {
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  }
  if (dwWritten != nCount) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  if (nFrom != begin && nFrom != current && nFrom != end) AfxThrowInvalidArgException();
  return MovePointer(m_hFile, lOff, nFrom, m_strFileName);
}

ULONGLONG CFile::GetPosition() const { return MovePointer(m_hFile, 0, FILE_CURRENT, m_strFileName); }

ULONGLONG CFile::GetLength() const {
  DWORD dwHigh = 0;
  SetLastError(NO_ERROR);
  DWORD dwLow = GetFileSize(m_hFile, &dwHigh);
  ThrowOnFailure(dwLow == INVALID_FILE_SIZE, m_strFileName);
  return (static_cast<ULONGLONG>(dwHigh) << 32) | dwLow;
}

void CFile::SetLength(ULONGLONG dwNewLen) {
  Seek(static_cast<LONGLONG>(dwNewLen), begin);
  if (!SetEndOfFile(m_hFile)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Flush() {
  if (m_hFile == hFileNull) return;
  if (!FlushFileBuffers(m_hFile)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Close() {
  BOOL bError = FALSE;
  DWORD dwError = NO_ERROR;
  if (m_hFile != hFileNull) {
    bError = !CloseHandle(m_hFile);
    if (bError) dwError = GetLastError();
  }
  CString strFileName = m_strFileName;
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
  if (bError) CFileException::ThrowOsError(static_cast<LONG>(dwError), strFileName);
}

void CFile::Abort() {
  if (m_hFile != hFileNull) CloseHandle(m_hFile);
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
}

CFile* CFile::Duplicate() const { AfxThrowNotSupportedException(); }

CString CFile::GetFilePath() const { return m_strFileName; }

CString CFile::GetFileName() const { return LastComponent(m_strFileName); }

CString CFile::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot >= 0 ? name.Left(dot) : name;
}

void CFile::SetFilePath(LPCSTR lpszNewName) { m_strFileName = lpszNewName; }

BOOL CFile::GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus) {
  memset(rStatus.m_szFullName, 0, sizeof rStatus.m_szFullName);
  if (lpszFileName == NULL) return FALSE;
  CString full = afx_open::FullPath(lpszFileName);
  if (full.GetLength() >= MAX_PATH) return FALSE;
  WIN32_FIND_DATAA data;
  HANDLE hFind = FindFirstFileA(lpszFileName, &data);
  if (hFind == INVALID_HANDLE_VALUE) return FALSE;
  FindClose(hFind);
  memcpy(rStatus.m_szFullName, static_cast<LPCSTR>(full), static_cast<size_t>(full.GetLength()));
  rStatus.m_attribute = AttributesToStatus(data.dwFileAttributes);
  rStatus._m_padding = 0;
  rStatus.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  rStatus.m_mtime = CTime(data.ftLastWriteTime);
  rStatus.m_atime = (data.ftLastAccessTime.dwLowDateTime | data.ftLastAccessTime.dwHighDateTime)
                        ? CTime(data.ftLastAccessTime)
                        : rStatus.m_mtime;
  rStatus.m_ctime = (data.ftCreationTime.dwLowDateTime | data.ftCreationTime.dwHighDateTime)
                        ? CTime(data.ftCreationTime)
                        : rStatus.m_mtime;
  return TRUE;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const {
  if (m_strFileName.IsEmpty()) return FALSE;
  if (!GetStatus(m_strFileName, rStatus)) return FALSE;
  // The open file's own size is what its handle sees.
  if (m_hFile != hFileNull) {
    DWORD dwHigh = 0;
    SetLastError(NO_ERROR);
    DWORD dwLow = GetFileSize(m_hFile, &dwHigh);
    if (dwLow != INVALID_FILE_SIZE || GetLastError() == NO_ERROR) {
      rStatus.m_size = (static_cast<ULONGLONG>(dwHigh) << 32) | dwLow;
    }
  }
  return TRUE;
}

void CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName) {
  if (!MoveFileA(lpszOldName, lpszNewName)) {
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszOldName);
  }
}

void CFile::Remove(LPCSTR lpszFileName) {
  if (!DeleteFileA(lpszFileName)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}
