// The calling thread's last error, as Windows keeps it, and the one mapping
// from POSIX errno values to Windows error codes that the whole layer uses.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

// The calling thread's last-error code, set by the layer's calls as Windows sets it.
DWORD WINAPI GetLastError(void);
// Sets the calling thread's last-error code.
void WINAPI SetLastError(DWORD dwErrCode);

// Layer extension (no Windows counterpart): the Windows error code that a
// POSIX errno value stands for (ENOENT -> ERROR_FILE_NOT_FOUND, EACCES ->
// ERROR_ACCESS_DENIED, EEXIST -> ERROR_FILE_EXISTS ...).
DWORD WinportErrorFromErrno(int errnoValue);
// Layer extension: the errno value the C runtime reports for a Windows error
// code (ERROR_SHARING_VIOLATION -> EACCES, ERROR_FILE_NOT_FOUND -> ENOENT ...).
int WinportErrnoFromError(DWORD error);

#ifdef __cplusplus
}
#endif
