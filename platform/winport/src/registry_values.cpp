// Reading, writing and deleting registry values.
#include <string.h>
#include <windows.h>

#include "registry_keys.h"

using winport::registry::Key;
using winport::registry::KeyRef;
using winport::registry::Value;

namespace {

// The value's data into the caller's buffer with the Windows size rules.
DWORD CopyData(const Value& value, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  if (lpType) *lpType = value.type;
  DWORD size = static_cast<DWORD>(value.data.size());
  if (!lpcbData) return ERROR_SUCCESS;
  if (lpData) {
    if (*lpcbData < size) {
      *lpcbData = size;
      return ERROR_MORE_DATA;
    }
    memcpy(lpData, value.data.data(), size);
  }
  *lpcbData = size;
  return ERROR_SUCCESS;
}

bool IsString(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

namespace winport {
namespace registry {

// Shared with the enumeration calls: the data rules of RegQueryValueExA.
DWORD CopyValueData(const Value& value, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  return CopyData(value, lpType, lpData, lpcbData);
}

}  // namespace registry
}  // namespace winport

extern "C" LSTATUS WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                           LPBYTE lpData, LPDWORD lpcbData) {
  if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  KeyRef ref;
  DWORD error = winport::registry::ResolveKey(hKey, &ref);
  if (error == ERROR_SUCCESS) error = winport::registry::CheckAccess(ref, KEY_QUERY_VALUE);
  if (error != ERROR_SUCCESS) return static_cast<LSTATUS>(error);
  std::string name = lpValueName ? lpValueName : "";
  error = winport::registry::ReadRoot(ref.root, [&](Key& root) -> DWORD {
    Key* key = nullptr;
    DWORD found = winport::registry::FindKey(root, ref, &key);
    if (found != ERROR_SUCCESS) return ref.path.empty() ? ERROR_FILE_NOT_FOUND : found;
    const Value* value = key->FindValue(name);
    if (!value) return ERROR_FILE_NOT_FOUND;
    return CopyData(*value, lpType, lpData, lpcbData);
  });
  return static_cast<LSTATUS>(error);
}

extern "C" LSTATUS WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                                         DWORD cbData) {
  if (!lpData && cbData > 0) return ERROR_NOACCESS;
  KeyRef ref;
  DWORD error = winport::registry::ResolveKey(hKey, &ref);
  if (error == ERROR_SUCCESS) error = winport::registry::CheckAccess(ref, KEY_SET_VALUE);
  if (error != ERROR_SUCCESS) return static_cast<LSTATUS>(error);
  std::string name = lpValueName ? lpValueName : "";
  if (name.find_first_of("\r\n") != std::string::npos) return ERROR_INVALID_PARAMETER;
  std::string data(reinterpret_cast<const char*>(lpData), lpData ? cbData : 0);
  // A string is kept with its terminator, so every reader sees one.
  if (IsString(dwType) && (data.empty() || data.back() != '\0')) data += '\0';
  error = winport::registry::UpdateRoot(ref.root, [&](Key& root, bool* changed) -> DWORD {
    Key* key = nullptr;
    DWORD found = winport::registry::FindKey(root, ref, &key);
    if (found != ERROR_SUCCESS) return found;
    key->SetValue(name, dwType, data);
    *changed = true;
    return ERROR_SUCCESS;
  });
  return static_cast<LSTATUS>(error);
}

extern "C" LSTATUS WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
  KeyRef ref;
  DWORD error = winport::registry::ResolveKey(hKey, &ref);
  if (error == ERROR_SUCCESS) error = winport::registry::CheckAccess(ref, KEY_SET_VALUE);
  if (error != ERROR_SUCCESS) return static_cast<LSTATUS>(error);
  std::string name = lpValueName ? lpValueName : "";
  error = winport::registry::UpdateRoot(ref.root, [&](Key& root, bool* changed) -> DWORD {
    Key* key = nullptr;
    DWORD found = winport::registry::FindKey(root, ref, &key);
    if (found != ERROR_SUCCESS) return found;
    if (!key->RemoveValue(name)) return ERROR_FILE_NOT_FOUND;
    *changed = true;
    return ERROR_SUCCESS;
  });
  return static_cast<LSTATUS>(error);
}
