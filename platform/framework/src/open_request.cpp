#include "open_request.h"

#include <errno.h>
#include <share.h>

namespace afx_open {

CString FullPath(LPCSTR lpszFileName) {
  char buffer[MAX_PATH];
  DWORD n = GetFullPathNameA(lpszFileName, sizeof buffer, buffer, NULL);
  if (n == 0 || n >= sizeof buffer) return CString(lpszFileName);
  return CString(buffer, static_cast<int>(n));
}

void FillOpenError(CFileException* pError, DWORD dwError, int nErrno, LPCSTR lpszFileName) {
  if (pError == NULL) return;
  if (dwError != NO_ERROR) {
    pError->m_lOsError = static_cast<LONG>(dwError);
    pError->m_cause = CFileException::OsErrorToException(static_cast<LONG>(dwError));
  } else {
    pError->m_lOsError = -1;
    pError->m_cause = CFileException::ErrnoToException(nErrno);
    if (pError->m_cause == CFileException::none) pError->m_cause = CFileException::genericException;
  }
  pError->m_strFileName = lpszFileName;
}

bool CheckRequest(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  if (lpszFileName == NULL || *lpszFileName == '\0') {
    FillOpenError(pError, ERROR_FILE_NOT_FOUND, ENOENT, lpszFileName);
    return false;
  }
  if ((nOpenFlags & 3) == 3) {
    FillOpenError(pError, ERROR_INVALID_PARAMETER, EINVAL, lpszFileName);
    return false;
  }
  return true;
}

ShareMode ShareModeOf(UINT nOpenFlags) {
  switch (nOpenFlags & 0x70) {
    case CFile::shareDenyWrite:
      return {FILE_SHARE_READ, _SH_DENYWR};
    case CFile::shareDenyRead:
      return {FILE_SHARE_WRITE, _SH_DENYRD};
    case CFile::shareDenyNone:
      return {FILE_SHARE_READ | FILE_SHARE_WRITE, _SH_DENYNO};
    default:  // shareCompat and shareExclusive
      return {0, _SH_DENYRW};
  }
}

}  // namespace afx_open
