// Registry key handles: an HKEY is either a predefined root or the handle of
// a key opened below one (the root, the key's path, the access granted).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "registry_store.h"

namespace winport {
namespace registry {

struct KeyRef {
  Root root = Root::kCurrentUser;
  std::vector<std::string> path;  // names below the root
  REGSAM access = KEY_ALL_ACCESS;
};

// What an HKEY stands for; ERROR_INVALID_HANDLE when it is neither a
// supported root nor an open key.
DWORD ResolveKey(HKEY key, KeyRef* ref);

// The names of a sub-key path ("a\b\c"); NULL and "" give none.
std::vector<std::string> SplitSubKey(const char* subKey);

// ERROR_ACCESS_DENIED unless the key was opened with every right in `needed`.
inline DWORD CheckAccess(const KeyRef& ref, REGSAM needed) {
  return (ref.access & needed) == needed ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

// The key a handle names in the tree; ERROR_KEY_DELETED when it is gone.
DWORD FindKey(Key& root, const KeyRef& ref, Key** key);

// A value's type and data into a caller's buffer with the rules of
// RegQueryValueExA: NULL data gives only the size; a buffer that is too small
// gives ERROR_MORE_DATA and the size needed.
DWORD CopyValueData(const Value& value, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);

}  // namespace registry
}  // namespace winport
