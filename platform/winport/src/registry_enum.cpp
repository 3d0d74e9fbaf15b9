// Enumerating a registry key's sub-keys and values, and its counts.
#include <string.h>
#include <windows.h>

#include "registry_keys.h"

using winport::registry::Key;
using winport::registry::KeyRef;

namespace {

// Resolves the handle, checks its access and runs `read` on its key in the
// store; the result is the first error, else what `read` returns.
template <typename Read>
LSTATUS ReadKey(HKEY hKey, REGSAM needed, Read read) {
  KeyRef ref;
  DWORD error = winport::registry::ResolveKey(hKey, &ref);
  if (error == ERROR_SUCCESS) error = winport::registry::CheckAccess(ref, needed);
  if (error != ERROR_SUCCESS) return static_cast<LSTATUS>(error);
  error = winport::registry::ReadRoot(ref.root, [&](Key& root) -> DWORD {
    Key* key = nullptr;
    DWORD found = winport::registry::FindKey(root, ref, &key);
    return found != ERROR_SUCCESS ? found : read(*key);
  });
  return static_cast<LSTATUS>(error);
}

// A key's class into the caller's buffer: ERROR_MORE_DATA (with the length
// needed) when it does not fit with its terminator. A NULL buffer skips it.
DWORD CopyClass(const Key& key, LPSTR lpClass, LPDWORD lpcchClass) {
  if (!lpClass) return ERROR_SUCCESS;
  if (!lpcchClass) return ERROR_INVALID_PARAMETER;
  const std::string& name = key.className();
  if (name.size() + 1 > *lpcchClass) {
    *lpcchClass = static_cast<DWORD>(name.size());
    return ERROR_MORE_DATA;
  }
  memcpy(lpClass, name.c_str(), name.size() + 1);
  *lpcchClass = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

}  // namespace

extern "C" LSTATUS WINAPI RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD,
                                        LPSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
  if (!lpName || !lpcchName) return ERROR_INVALID_PARAMETER;
  return ReadKey(hKey, KEY_ENUMERATE_SUB_KEYS, [&](Key& key) -> DWORD {
    if (dwIndex >= key.subkeys().size()) return ERROR_NO_MORE_ITEMS;
    const Key& subkey = *key.subkeys()[dwIndex];
    const std::string& name = subkey.name();
    if (name.size() + 1 > *lpcchName) return ERROR_MORE_DATA;
    DWORD copied = CopyClass(subkey, lpClass, lpcchClass);
    if (copied != ERROR_SUCCESS) return copied;
    memcpy(lpName, name.c_str(), name.size() + 1);
    *lpcchName = static_cast<DWORD>(name.size());
    if (lpftLastWriteTime) *lpftLastWriteTime = FILETIME{0, 0};
    return ERROR_SUCCESS;
  });
}

extern "C" LSTATUS WINAPI RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                                        LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  if (!lpValueName || !lpcchValueName || lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  return ReadKey(hKey, KEY_QUERY_VALUE, [&](Key& key) -> DWORD {
    if (dwIndex >= key.values().size()) return ERROR_NO_MORE_ITEMS;
    const winport::registry::Value& value = key.values()[dwIndex];
    if (value.name.size() + 1 > *lpcchValueName) return ERROR_MORE_DATA;
    DWORD copied = winport::registry::CopyValueData(value, lpType, lpData, lpcbData);
    if (copied != ERROR_SUCCESS) return copied;
    memcpy(lpValueName, value.name.c_str(), value.name.size() + 1);
    *lpcchValueName = static_cast<DWORD>(value.name.size());
    return ERROR_SUCCESS;
  });
}

extern "C" LSTATUS WINAPI RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved,
                                           LPDWORD lpcSubKeys, LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen,
                                           LPDWORD lpcValues, LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                                           LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime) {
  if (lpReserved) return ERROR_INVALID_PARAMETER;
  return ReadKey(hKey, KEY_QUERY_VALUE, [&](Key& key) -> DWORD {
    DWORD maxSubKey = 0, maxClass = 0, maxName = 0, maxData = 0;
    for (const auto& subkey : key.subkeys()) {
      if (subkey->name().size() > maxSubKey) maxSubKey = static_cast<DWORD>(subkey->name().size());
      if (subkey->className().size() > maxClass) maxClass = static_cast<DWORD>(subkey->className().size());
    }
    for (const auto& value : key.values()) {
      if (value.name.size() > maxName) maxName = static_cast<DWORD>(value.name.size());
      if (value.data.size() > maxData) maxData = static_cast<DWORD>(value.data.size());
    }
    DWORD copied = CopyClass(key, lpClass, lpcchClass);
    if (copied != ERROR_SUCCESS) return copied;
    if (lpcSubKeys) *lpcSubKeys = static_cast<DWORD>(key.subkeys().size());
    if (lpcbMaxSubKeyLen) *lpcbMaxSubKeyLen = maxSubKey;
    if (lpcbMaxClassLen) *lpcbMaxClassLen = maxClass;
    if (lpcValues) *lpcValues = static_cast<DWORD>(key.values().size());
    if (lpcbMaxValueNameLen) *lpcbMaxValueNameLen = maxName;
    if (lpcbMaxValueLen) *lpcbMaxValueLen = maxData;
    if (lpcbSecurityDescriptor) *lpcbSecurityDescriptor = 0;
    if (lpftLastWriteTime) *lpftLastWriteTime = FILETIME{0, 0};
    return ERROR_SUCCESS;
  });
}
