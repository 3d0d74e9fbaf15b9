// Module loading: LoadLibraryA maps a Windows module name onto a shared
// library ("TEKORA.DLL" -> libtekora.so), GetProcAddress finds exports by
// name and by ordinal (through the module's WinportOrdinalTable, see
// winport/ordinals.h).
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

// Loads a module. A name without a folder is looked for as
// "lib<name without .dll, lower case>.so" in the running program's folder,
// then through the system loader's search, then under the name as given; a
// name with a folder is resolved as a path (without regard to case). Result:
// the module handle, or NULL with ERROR_MOD_NOT_FOUND.
HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName);
// Drops one reference taken by LoadLibraryA; the module is unloaded with the last.
BOOL WINAPI FreeLibrary(HMODULE hLibModule);
// An export of the module itself (not of the modules it depends on): by name,
// or by ordinal when HIWORD(lpProcName) is 0. NULL with ERROR_PROC_NOT_FOUND
// when the module has no such export.
FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
// The handle of the running program (NULL) or of an already loaded module,
// without taking a reference; NULL with ERROR_MOD_NOT_FOUND if not loaded.
HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName);
// The full path of the module (NULL: the running program) in backslash form.
// Result: its length; when the buffer is too small the path is cut to
// nSize - 1 characters, the result is nSize and the last error is
// ERROR_INSUFFICIENT_BUFFER; 0 on failure.
DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);

#define LoadLibrary LoadLibraryA
#define GetModuleHandle GetModuleHandleA
#define GetModuleFileName GetModuleFileNameA

#ifdef __cplusplus
}
#endif
