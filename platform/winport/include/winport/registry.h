// The registry: keys and typed values kept per root in a text file of the
// .reg format under $WINPORT_ROOT/registry/ (see docs/posix-notes.md). Key and
// value names are found without regard to case. Every call returns a Windows
// error code (ERROR_SUCCESS on success); a damaged store file gives
// ERROR_BADDB and is never taken for an empty registry.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))
#define HKEY_USERS ((HKEY)(ULONG_PTR)((LONG)0x80000003))

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_LITTLE_ENDIAN 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_QWORD 11

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_EXECUTE 0x20019
#define KEY_ALL_ACCESS 0xF003F

#define REG_OPTION_NON_VOLATILE 0x00000000
#define REG_OPTION_VOLATILE 0x00000001
#define REG_CREATED_NEW_KEY 0x00000001
#define REG_OPENED_EXISTING_KEY 0x00000002

// Opens an existing key below hKey (an open key or a root). An empty or NULL
// lpSubKey opens hKey itself again. ERROR_FILE_NOT_FOUND when it is missing.
LSTATUS WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                             PHKEY phkResult);
// Opens a key, creating it and the keys above it when missing; the
// disposition tells which (REG_CREATED_NEW_KEY, REG_OPENED_EXISTING_KEY).
// A key this call creates keeps lpClass as its class; an existing key keeps
// its own. The options and security are accepted and not kept.
LSTATUS WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass,
                               DWORD dwOptions, REGSAM samDesired,
                               const SECURITY_ATTRIBUTES* lpSecurityAttributes, PHKEY phkResult,
                               LPDWORD lpdwDisposition);
// Closes a key opened by the calls above; closing a root is allowed.
LSTATUS WINAPI RegCloseKey(HKEY hKey);
// Reads a value (NULL or "" names the key's default value). With lpData NULL
// only the size is reported; a buffer that is too small gives ERROR_MORE_DATA
// and the size needed in *lpcbData. The size of a string value counts its
// terminator. Needs KEY_QUERY_VALUE.
LSTATUS WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                LPBYTE lpData, LPDWORD lpcbData);
// Stores a value with its type; a REG_SZ or REG_EXPAND_SZ value is kept with
// its terminator. Needs KEY_SET_VALUE. Rewrites the store file.
LSTATUS WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType,
                              const BYTE* lpData, DWORD cbData);
// Deletes a value; ERROR_FILE_NOT_FOUND when it does not exist.
LSTATUS WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName);
// Deletes a key that has no sub-keys, with its values.
LSTATUS WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey);
// The name and class of the sub-key at dwIndex (sub-keys in order of their
// names, without regard to case); ERROR_NO_MORE_ITEMS past the last,
// ERROR_MORE_DATA when the name or the class does not fit with its
// terminator. A NULL lpClass skips the class; the time is always zero.
LSTATUS WINAPI RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName,
                             LPDWORD lpReserved, LPSTR lpClass, LPDWORD lpcchClass,
                             PFILETIME lpftLastWriteTime);
// The name, type and data of the value at dwIndex (in the order the values
// were created); ERROR_NO_MORE_ITEMS past the last.
LSTATUS WINAPI RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                             LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
// The key's class, and the counts and longest lengths (without terminators)
// of its sub-key names, their classes, its value names and value data.
LSTATUS WINAPI RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved,
                                LPDWORD lpcSubKeys, LPDWORD lpcbMaxSubKeyLen,
                                LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                                LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                                LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime);

#define RegOpenKeyEx RegOpenKeyExA
#define RegCreateKeyEx RegCreateKeyExA
#define RegQueryValueEx RegQueryValueExA
#define RegSetValueEx RegSetValueExA
#define RegDeleteValue RegDeleteValueA
#define RegDeleteKey RegDeleteKeyA
#define RegEnumKeyEx RegEnumKeyExA
#define RegEnumValue RegEnumValueA
#define RegQueryInfoKey RegQueryInfoKeyA

#ifdef __cplusplus
}
#endif
