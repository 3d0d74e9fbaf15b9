// What CFile and CStdioFile share when they open a file: the checks on the
// request, the share mode it asks for, the error object filled when the open
// fails, and the full path the open file keeps.
#pragma once

#include <afx.h>

namespace afx_open {

// The absolute form of a path; the path as given when that fails.
CString FullPath(LPCSTR lpszFileName);

// Fills the caller's exception object (when there is one) after a failed
// open: the system's error code when there is one, else the C runtime's
// errno `nErrno`.
void FillOpenError(CFileException* pError, DWORD dwError, int nErrno, LPCSTR lpszFileName);

// FALSE, with the error filled, when the request cannot be opened at all: no
// file name, or the access bits hold both modeWrite and modeReadWrite.
bool CheckRequest(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError);

// The sharing that the share bits of the open flags leave to others, as the
// Win32 file calls and as the C runtime's _fsopen take it. shareCompat and
// shareExclusive both deny everything.
struct ShareMode {
  DWORD dwShareMode;  // FILE_SHARE_READ and FILE_SHARE_WRITE bits
  int nShareFlag;     // _SH_DENYRW, _SH_DENYWR, _SH_DENYRD or _SH_DENYNO
};
ShareMode ShareModeOf(UINT nOpenFlags);

}  // namespace afx_open
