// File and directory operations shared by the Win32 calls and the C
// runtime's calls of the layer. Each takes Windows paths and returns a
// Windows error code (ERROR_SUCCESS on success); the callers set the last
// error or errno from it.
#pragma once

#include <sys/stat.h>
#include <windows.h>

namespace winport {

// The Windows attributes of a file system entry: FILE_ATTRIBUTE_DIRECTORY,
// or for a file FILE_ATTRIBUTE_ARCHIVE, with FILE_ATTRIBUTE_READONLY when its
// owner may not write it.
DWORD AttributesOf(const struct stat& st);

// Deletes a file (not a directory, not a read-only file, not a file that an
// open through the layer holds without FILE_SHARE_DELETE).
DWORD DeletePath(const char* path);
// Renames or moves a file or directory (MOVEFILE_* flags).
DWORD MovePath(const char* from, const char* to, DWORD flags);
// Creates one directory.
DWORD MakeDirectory(const char* path);
// Removes an empty directory.
DWORD RemoveEmptyDirectory(const char* path);
// Changes the current directory.
DWORD ChangeDirectory(const char* path);

}  // namespace winport
