// System information: the computer name.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define MAX_COMPUTERNAME_LENGTH 15

// The computer name: the value "ComputerName" of the registry key
// HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\ComputerName\ComputerName
// when it is set, else the host name up to its first dot, upper case, at most
// 15 characters. *nSize is the buffer size on entry; on success it becomes
// the name's length (without terminator); when the buffer is too small the
// call fails with ERROR_BUFFER_OVERFLOW and *nSize is the size needed.
BOOL WINAPI GetComputerNameA(LPSTR lpBuffer, LPDWORD nSize);

#define GetComputerName GetComputerNameA

#ifdef __cplusplus
}
#endif
