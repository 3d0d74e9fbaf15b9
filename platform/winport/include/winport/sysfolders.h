// The system's own folders: the Windows directory.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

// The Windows directory, the home of WIN.INI and of the system-wide INI
// files: $WINPORT_ROOT/windows (see winport_root.h), in backslash form and
// without a trailing "\", as Windows gives "C:\Windows". The folder is
// created when it does not exist yet, since on Windows it always exists.
// Result: the length of the path; when uSize is too small for the path and
// its terminator, nothing is written and the result is the size needed
// (terminator included); 0 on failure, with the last error set.
UINT WINAPI GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize);

#define GetWindowsDirectory GetWindowsDirectoryA

#ifdef __cplusplus
}
#endif
