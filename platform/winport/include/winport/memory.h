// Pointer checks: whether a range of memory may be read or written.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

// TRUE when some byte of the ucb bytes at lp cannot be written. The test
// writes each byte back with its own value, so the memory is unchanged (as
// long as no other thread writes the range meanwhile). 0 bytes are never bad.
BOOL WINAPI IsBadWritePtr(LPVOID lp, UINT_PTR ucb);
// TRUE when some byte of the ucb bytes at lp cannot be read.
BOOL WINAPI IsBadReadPtr(const void* lp, UINT_PTR ucb);

#ifdef __cplusplus
}
#endif
