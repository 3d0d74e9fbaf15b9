// The environment: variables by name (without regard to case when no exact
// match exists, as Windows names are case-insensitive) and %NAME% expansion.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

// Copies the value of a variable. Result: its length without the terminator;
// when the buffer is too small, the size needed including the terminator;
// 0 with ERROR_ENVVAR_NOT_FOUND when there is no such variable.
DWORD WINAPI GetEnvironmentVariableA(LPCSTR lpName, LPSTR lpBuffer, DWORD nSize);
// Sets a variable (an existing one of another case keeps its spelling), or
// removes it when lpValue is NULL. A name that is empty or holds "=" is
// ERROR_INVALID_PARAMETER; removing a missing variable succeeds.
BOOL WINAPI SetEnvironmentVariableA(LPCSTR lpName, LPCSTR lpValue);
// Replaces each %NAME% of a variable that exists by its value; anything else
// (unknown names, a lone "%") stays as written. Result: the size of the
// expanded text including the terminator; when that exceeds nSize, the text
// is cut to fit (if nSize > 0) and the result is the size needed. 0 with
// ERROR_INVALID_PARAMETER for a NULL source.
DWORD WINAPI ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize);

#define GetEnvironmentVariable GetEnvironmentVariableA
#define SetEnvironmentVariable SetEnvironmentVariableA
#define ExpandEnvironmentStrings ExpandEnvironmentStringsA

#ifdef __cplusplus
}
#endif
