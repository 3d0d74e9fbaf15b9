// Child processes: starting a program from a Windows command line, waiting for
// it with a time-out, ending it and reading its exit code.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

#ifndef INFINITE
#define INFINITE 0xFFFFFFFFu
#endif
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED 0x00000080u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu
#define STILL_ACTIVE 259

#define DEBUG_PROCESS 0x00000001
#define DEBUG_ONLY_THIS_PROCESS 0x00000002
#define CREATE_SUSPENDED 0x00000004
#define DETACHED_PROCESS 0x00000008
#define CREATE_NEW_CONSOLE 0x00000010
#define NORMAL_PRIORITY_CLASS 0x00000020
#define CREATE_NEW_PROCESS_GROUP 0x00000200
#define CREATE_UNICODE_ENVIRONMENT 0x00000400
#define CREATE_NO_WINDOW 0x08000000

#define STARTF_USESHOWWINDOW 0x00000001
#define STARTF_USESTDHANDLES 0x00000100

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5

typedef struct _STARTUPINFOA {
  DWORD cb;
  LPSTR lpReserved;
  LPSTR lpDesktop;
  LPSTR lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  LPBYTE lpReserved2;
  HANDLE hStdInput;
  HANDLE hStdOutput;
  HANDLE hStdError;
} STARTUPINFOA, *LPSTARTUPINFOA;
typedef STARTUPINFOA STARTUPINFO;
typedef LPSTARTUPINFOA LPSTARTUPINFO;

typedef struct _PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
} PROCESS_INFORMATION, *PPROCESS_INFORMATION, *LPPROCESS_INFORMATION;

// Starts a program. Without lpApplicationName the program is the first word
// of lpCommandLine (up to white space, or a quoted name), found as Windows
// finds it: a name with a folder is resolved as a path, a bare name is looked
// for in the running program's folder, the current directory and the folders
// of PATH; names are matched without regard to case, and ".exe" may be
// written or left out. The child's arguments are the command line split by
// the Windows runtime's rules (white space, quotes, backslashes before
// quotes). A ".bat" or ".cmd" file runs in the layer's own command
// interpreter (its lines: "@echo off", "if exist A del B", program calls
// with an optional "> file"; any other line stops it with exit code 255 and
// a message on standard error). No handle of the layer is inherited: the
// child shares only the standard input, output and error, or gets the three
// handles of STARTF_USESTDHANDLES (file handles of the layer; a null or
// invalid one stands for the null device), whatever bInheritHandles says.
// lpEnvironment (a block of "NAME=value" strings ending with an empty one)
// replaces the environment when given; lpCurrentDirectory sets the child's
// working directory. Fails with ERROR_FILE_NOT_FOUND (or
// ERROR_PATH_NOT_FOUND) when the program is not found, ERROR_ACCESS_DENIED
// when it may not be run, ERROR_BAD_EXE_FORMAT for a file that is no
// program, ERROR_FILENAME_EXCED_RANGE for a command line of 32767
// characters or more, ERROR_INVALID_PARAMETER for an empty one, and
// ERROR_INVALID_HANDLE for a standard handle that is not a file handle.
BOOL WINAPI CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine,
                           LPSECURITY_ATTRIBUTES lpProcessAttributes,
                           LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles,
                           DWORD dwCreationFlags, LPVOID lpEnvironment, LPCSTR lpCurrentDirectory,
                           LPSTARTUPINFOA lpStartupInfo,
                           LPPROCESS_INFORMATION lpProcessInformation);
// Waits until the process (or its main thread) has ended, at most
// dwMilliseconds (INFINITE: no limit). Result: WAIT_OBJECT_0 when it has
// ended, WAIT_TIMEOUT when the time ran out, WAIT_FAILED (with the last
// error) for a handle that cannot be waited on.
DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
// Ends the process at once; its exit code becomes uExitCode. Returns when
// the process has ended. Ending a process that has already ended fails with
// ERROR_ACCESS_DENIED, as on Windows.
BOOL WINAPI TerminateProcess(HANDLE hProcess, UINT uExitCode);
// The process's exit code, or STILL_ACTIVE (259) while it runs. An exit code
// above 255 is seen modulo 256 on POSIX; a process ended by a signal that
// the layer did not send reports a Windows status (0xC0000005 for a
// segmentation fault, 3 for an abort, 0xC000013A for an interrupt, else
// 128 + the signal number).
BOOL WINAPI GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode);

#define CreateProcess CreateProcessA

#ifdef __cplusplus
}
#endif
