// Included ahead of every unit that links the platform layer (-include). It
// declares the C runtime's extras that the Windows runtime declares in
// <stdio.h>, <stdlib.h> and <string.h>, and routes fopen and rename to the
// layer's versions, which take Windows paths (found without regard to case),
// honour text mode (CR LF on disk, LF in memory) and the share modes.
//
// Both are function-like macros, so that `std::fopen` declarations in later
// system headers and the names used without a call stay intact.
#pragma once

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <stdarg.h>
#ifdef __cplusplus
// <cstdio> removes any fopen or rename macro when it is first included;
// include it now, so that the macros below come after it and stay.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

// fopen with the Windows rules: a mode without "b" is text mode; every open
// allows others to read and write (_SH_DENYNO). On failure errno is set as
// the Windows runtime sets it (EACCES for a sharing violation) and so is the
// last error (ERROR_SHARING_VIOLATION ...).
FILE* winport_fopen(const char* path, const char* mode);
// fopen with a share flag of <share.h> (_SH_DENYNO, _SH_DENYWR, _SH_DENYRD,
// _SH_DENYRW); an open that conflicts with another open fails with EACCES.
FILE* _fsopen(const char* path, const char* mode, int shflag);
// rename with the Windows rules: an existing target is never replaced (EEXIST).
int winport_rename(const char* oldName, const char* newName);
// Deletes a file: 0, or -1 with errno (ENOENT, EACCES for a directory, a
// read-only file or a file held open).
int _unlink(const char* path);

// The absolute form of path in backslashes (lexical "." and ".."), into
// buffer (maxlen bytes) or, when buffer is NULL, into a new malloc block.
// NULL when it does not fit (ERANGE) or path is invalid.
char* _fullpath(char* buffer, const char* path, size_t maxlen);
// Splits a path into drive (always empty on POSIX), folder (with its trailing
// separator), file name and extension (with its dot); any part may be NULL.
void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
// Joins the parts as the Windows runtime does (the folder gets a "\" when it
// lacks one, the extension a "."); the result is cut at _MAX_PATH.
void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext);

// Comparisons and case changes of 8-bit text (ASCII letters only).
int _stricmp(const char* a, const char* b);
int _strnicmp(const char* a, const char* b, size_t count);
char* _strlwr(char* s);
char* _strupr(char* s);
char* _strdup(const char* s);
// printf into a bounded buffer, as the Windows runtime: -1 (and no
// terminator) when the text does not fit in count characters.
int _snprintf(char* buffer, size_t count, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
int _vsnprintf(char* buffer, size_t count, const char* format, va_list args);

// Sets the runtime's time zone from the TZ variable, as <time.h> of the
// Windows runtime declares it; local times follow it from then on.
void _tzset(void);

#ifdef __cplusplus
}
namespace std {
using ::winport_fopen;
using ::winport_rename;
}  // namespace std
#endif

#define fopen(p, m) winport_fopen(p, m)
#define rename(a, b) winport_rename(a, b)
