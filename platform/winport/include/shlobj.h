// The shell's special folders.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#define CSIDL_LOCAL_APPDATA 0x001c
#define CSIDL_FLAG_CREATE 0x8000

// The path of a special folder into pszPath (MAX_PATH characters), in
// backslash form and without a trailing "\" as Windows gives it. Only
// CSIDL_LOCAL_APPDATA is known: on POSIX ${XDG_DATA_HOME:-$HOME/.local/share}.
// With fCreate the folder is created when it does not exist. FALSE for an
// unknown folder, a null buffer, a path longer than MAX_PATH - 1, or a
// folder that is missing (and not created).
BOOL WINAPI SHGetSpecialFolderPathA(HWND hwnd, LPSTR pszPath, int csidl, BOOL fCreate);

#define SHGetSpecialFolderPath SHGetSpecialFolderPathA

#ifdef __cplusplus
}
#endif
