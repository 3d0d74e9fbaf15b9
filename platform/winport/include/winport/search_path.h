// Finding a file along a search path, as SearchPathA does.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

// Looks for lpFileName (with lpExtension appended when the name has no
// extension) in the folders of lpPath (separated by ";"), or, when lpPath
// is null, in the running program's folder, the current directory and the
// folders of PATH, in that order; names are found without regard to case.
// A name with a folder is only looked up as that path. On success the full
// path (the folder searched and the name as given) is copied into lpBuffer
// and *lpFilePart (if not null) points at its file name; the result is its
// length. When nBufferLength is too small, nothing is written and the result
// is the size needed (terminator included). 0 with ERROR_FILE_NOT_FOUND when
// nothing is found, ERROR_INVALID_PARAMETER for a null or empty name.
DWORD WINAPI SearchPathA(LPCSTR lpPath, LPCSTR lpFileName, LPCSTR lpExtension, DWORD nBufferLength,
                         LPSTR lpBuffer, LPSTR* lpFilePart);

#define SearchPath SearchPathA

#ifdef __cplusplus
}
#endif
