// The Windows runtime's low-level file calls of the subset.
#pragma once

#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

// Whether the path exists (mode 0) and may be written (2), read (4) or both
// (6): 0, or -1 with errno ENOENT (missing) or EACCES (read-only file).
int _access(const char* path, int mode);
int _unlink(const char* path);

#ifdef __cplusplus
}
#endif
