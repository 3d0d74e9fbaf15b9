// Files and directories: CreateFileA and its family, file search, full paths,
// the current directory and temporary files. Every path is a Windows path:
// "\" and "/" both separate, a drive prefix names the root, and each name is
// found without regard to case when no exact match exists.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define GENERIC_EXECUTE 0x20000000u
#define GENERIC_ALL 0x10000000u

#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004

#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)

#define FILE_FLAG_WRITE_THROUGH 0x80000000u
#define FILE_FLAG_RANDOM_ACCESS 0x10000000u
#define FILE_FLAG_SEQUENTIAL_SCAN 0x08000000u
#define FILE_FLAG_DELETE_ON_CLOSE 0x04000000u
#define FILE_FLAG_BACKUP_SEMANTICS 0x02000000u

#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_SET_FILE_POINTER ((DWORD)-1)
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)

#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_COPY_ALLOWED 0x00000002
#define MOVEFILE_WRITE_THROUGH 0x00000008

typedef struct _WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  CHAR cFileName[MAX_PATH];
  CHAR cAlternateFileName[14];
} WIN32_FIND_DATAA, *PWIN32_FIND_DATAA, *LPWIN32_FIND_DATAA;
typedef WIN32_FIND_DATAA WIN32_FIND_DATA;
typedef PWIN32_FIND_DATAA PWIN32_FIND_DATA;
typedef LPWIN32_FIND_DATAA LPWIN32_FIND_DATA;

// Opens or creates a file. The share mode is enforced against every other
// open through the layer, in this process and in others; a conflict fails
// with ERROR_SHARING_VIOLATION. A directory cannot be opened
// (ERROR_ACCESS_DENIED). CREATE_ALWAYS and OPEN_ALWAYS on an existing file
// succeed with last error ERROR_ALREADY_EXISTS. "NUL" opens the null
// device. Result: a handle for
// ReadFile/WriteFile/CloseHandle, or INVALID_HANDLE_VALUE.
HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
#define STD_INPUT_HANDLE ((DWORD)-10)
#define STD_OUTPUT_HANDLE ((DWORD)-11)
#define STD_ERROR_HANDLE ((DWORD)-12)
// The handle of the process's standard input, output or error (file
// descriptors 0, 1 and 2); INVALID_HANDLE_VALUE for another number.
HANDLE WINAPI GetStdHandle(DWORD nStdHandle);
// Reads up to nNumberOfBytesToRead bytes at the file pointer; at end of file
// it succeeds with 0 bytes read. lpOverlapped must be NULL.
BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                     LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped);
// Writes the bytes at the file pointer (all of them, or fails).
BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                      LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped);
// Moves the file pointer. Result: the low 32 bits of the new position (the
// high part through lpDistanceToMoveHigh), INVALID_SET_FILE_POINTER on
// failure; the last error is NO_ERROR on success, so a position whose low
// part is 0xFFFFFFFF can be told from a failure.
DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                            DWORD dwMoveMethod);
// Moves the file pointer by a 64-bit distance; the new position goes to
// lpNewFilePointer when it is not NULL.
BOOL WINAPI SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove,
                             PLARGE_INTEGER lpNewFilePointer, DWORD dwMoveMethod);
// The file's size: low 32 bits as result, high part through lpFileSizeHigh;
// INVALID_FILE_SIZE with a last error on failure.
DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh);
BOOL WINAPI GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize);
// Cuts or extends the file to the current file pointer.
BOOL WINAPI SetEndOfFile(HANDLE hFile);
// Writes the file's data through to the disk.
BOOL WINAPI FlushFileBuffers(HANDLE hFile);
// The file's last write time (and the others, approximated from POSIX times).
BOOL WINAPI GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime,
                        LPFILETIME lpLastWriteTime);
// Closes a handle of the layer (file, and the other kinds that CloseHandle
// closes on Windows). An unknown handle fails with ERROR_INVALID_HANDLE.
BOOL WINAPI CloseHandle(HANDLE hObject);

// Deletes a file. Fails with ERROR_ACCESS_DENIED for a directory or a
// read-only file, ERROR_SHARING_VIOLATION while the file is open through the
// layer without FILE_SHARE_DELETE.
BOOL WINAPI DeleteFileA(LPCSTR lpFileName);
// Renames or moves a file or directory; an existing target fails with
// ERROR_ALREADY_EXISTS. Across file systems a file is copied.
BOOL WINAPI MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName);
// As MoveFileA; MOVEFILE_REPLACE_EXISTING replaces an existing file, and a
// move across file systems needs MOVEFILE_COPY_ALLOWED.
BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);
// Copies a file with its read-only attribute and last write time. With
// bFailIfExists an existing target fails with ERROR_FILE_EXISTS.
BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists);
// Creates one directory; ERROR_ALREADY_EXISTS if the name exists,
// ERROR_PATH_NOT_FOUND if its parent does not.
BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);
// Removes an empty directory; ERROR_DIR_NOT_EMPTY, ERROR_DIRECTORY for a file.
BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName);
// The attributes of a file or directory (FILE_ATTRIBUTE_DIRECTORY; for a file
// FILE_ATTRIBUTE_ARCHIVE, with FILE_ATTRIBUTE_READONLY when the owner may not
// write), or INVALID_FILE_ATTRIBUTES with a last error.
DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName);
// Sets or clears the read-only attribute (the owner's write permission); the
// other attributes have no POSIX counterpart and are ignored.
BOOL WINAPI SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes);
// The absolute form of a path, resolved lexically ("." and "..") against the
// current directory, with backslashes and without a drive on POSIX. Result:
// its length without the terminator; when the buffer is too small, the size
// needed including the terminator; 0 on failure. *lpFilePart points at the
// last component in the buffer (NULL when the path ends with "\").
DWORD WINAPI GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer,
                              LPSTR* lpFilePart);
// The current directory in backslash form; the result follows the same size
// rule as GetFullPathNameA.
DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer);
// Changes the current directory (found without regard to case).
BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName);

// Starts a search for the entries that match the last component of
// lpFileName ("*" and "?" with the Windows rules, without regard to case;
// without wildcards, the one entry of that name). "." and ".." are listed in
// every directory but the root. Fails with ERROR_FILE_NOT_FOUND when nothing
// matches, ERROR_PATH_NOT_FOUND when the folder does not exist.
HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData);
// The next match; FALSE with ERROR_NO_MORE_FILES at the end.
BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData);
// Ends a search started by FindFirstFileA.
BOOL WINAPI FindClose(HANDLE hFindFile);

// The folder for temporary files: $TMPDIR, else /tmp, in backslash form with
// a trailing backslash. Result: its length, or the size needed including the
// terminator when the buffer is too small.
DWORD WINAPI GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer);
// Forms "<path>\<first three characters of prefix><hex number>.TMP" in
// lpTempFileName (MAX_PATH characters). With uUnique 0 the number is chosen so
// that the file does not exist yet and the file is created empty; otherwise
// only the name is formed. Result: the number used, or 0 with a last error.
UINT WINAPI GetTempFileNameA(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique,
                             LPSTR lpTempFileName);

// Time conversions for the file times above.
BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime);
BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime);
BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime);
BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime);
LONG WINAPI CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2);

#define CreateFile CreateFileA
#define DeleteFile DeleteFileA
#define MoveFile MoveFileA
#define MoveFileEx MoveFileExA
#define CopyFile CopyFileA
#define CreateDirectory CreateDirectoryA
#define RemoveDirectory RemoveDirectoryA
#define GetFileAttributes GetFileAttributesA
#define SetFileAttributes SetFileAttributesA
#define GetFullPathName GetFullPathNameA
#define GetCurrentDirectory GetCurrentDirectoryA
#define SetCurrentDirectory SetCurrentDirectoryA
#define FindFirstFile FindFirstFileA
#define FindNextFile FindNextFileA
#define GetTempPath GetTempPathA
#define GetTempFileName GetTempFileNameA

#ifdef __cplusplus
}
#endif
