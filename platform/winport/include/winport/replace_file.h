// Replacing a file by another in one step: ReplaceFileA, the way to put a
// completely written new version of a file in place of the old one.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define REPLACEFILE_WRITE_THROUGH 0x00000001
#define REPLACEFILE_IGNORE_MERGE_ERRORS 0x00000002
#define REPLACEFILE_IGNORE_ACL_ERRORS 0x00000004

#define ERROR_UNABLE_TO_REMOVE_REPLACED 1175L
#define ERROR_UNABLE_TO_MOVE_REPLACEMENT 1176L

// Puts the file lpReplacementFileName in the place of lpReplacedFileName,
// which must exist: the replacement takes the replaced file's name (its
// spelling on disk), permissions and owner, and the replaced content is
// gone. The switch is one rename, so a reader sees the old or the new file,
// never a mixture. A link is followed: the file it names is replaced.
// REPLACEFILE_WRITE_THROUGH also writes the replacement's data and the
// folder entry through to the disk. A backup name is not offered
// (ERROR_INVALID_PARAMETER). Failures leave both files as they were:
// ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND for a missing file,
// ERROR_UNABLE_TO_REMOVE_REPLACED for a read-only or directory target,
// ERROR_SHARING_VIOLATION when an open through the layer holds either file
// without FILE_SHARE_DELETE.
BOOL WINAPI ReplaceFileA(LPCSTR lpReplacedFileName, LPCSTR lpReplacementFileName, LPCSTR lpBackupFileName,
                         DWORD dwReplaceFlags, LPVOID lpExclude, LPVOID lpReserved);

#define ReplaceFile ReplaceFileA

#ifdef __cplusplus
}
#endif
