// The Windows runtime's directory calls; paths are Windows paths.
#pragma once

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// The current directory in backslash form into buffer (maxlen bytes), or a
// malloc block when buffer is NULL; NULL with ERANGE when it does not fit.
char* _getcwd(char* buffer, int maxlen);
// Changes the current directory: 0, or -1 with errno ENOENT.
int _chdir(const char* path);
// Creates a directory: 0, or -1 with errno EEXIST or ENOENT.
int _mkdir(const char* path);
// Removes an empty directory: 0, or -1 with errno ENOTEMPTY, ENOENT or EACCES.
int _rmdir(const char* path);

#ifdef __cplusplus
}
#endif
