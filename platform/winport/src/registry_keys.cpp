// Opening, creating, closing and deleting registry keys.
#include "registry_keys.h"

#include <string.h>

#include "handle_table.h"

namespace winport {
namespace registry {
namespace {

class KeyHandle : public HandleObject {
 public:
  KeyRef ref;
  bool ClosedByCloseHandle() const override { return false; }  // RegCloseKey closes keys
};

HKEY Register(const KeyRef& ref) {
  KeyHandle* handle = new KeyHandle;
  handle->ref = ref;
  return static_cast<HKEY>(RegisterHandle(handle));
}

bool IsPredefined(HKEY key) {
  return key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE ||
         key == HKEY_USERS;
}

// The names found in the tree replace the caller's spelling, as far as they exist.
std::vector<std::string> StoredNames(Key& root, const std::vector<std::string>& path) {
  std::vector<std::string> names;
  Key* key = &root;
  for (const std::string& name : path) {
    key = key ? key->FindSubkey(name) : nullptr;
    names.push_back(key ? key->name() : name);
  }
  return names;
}

}  // namespace

DWORD ResolveKey(HKEY key, KeyRef* ref) {
  *ref = KeyRef();
  if (key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
  if (key == HKEY_LOCAL_MACHINE) {
    ref->root = Root::kLocalMachine;
    return ERROR_SUCCESS;
  }
  if (key == HKEY_CLASSES_ROOT) {
    // The classes root is the machine's class registrations.
    ref->root = Root::kLocalMachine;
    ref->path = {"Software", "Classes"};
    return ERROR_SUCCESS;
  }
  KeyHandle* handle = IsPredefined(key) ? nullptr : dynamic_cast<KeyHandle*>(FindHandle(key));
  if (!handle) return ERROR_INVALID_HANDLE;
  *ref = handle->ref;
  return ERROR_SUCCESS;
}

std::vector<std::string> SplitSubKey(const char* subKey) {
  std::vector<std::string> names;
  if (!subKey) return names;
  const char* p = subKey;
  while (*p) {
    const char* end = strchr(p, '\\');
    if (!end) end = p + strlen(p);
    if (end > p) names.emplace_back(p, end);
    p = *end ? end + 1 : end;
  }
  return names;
}

DWORD FindKey(Key& root, const KeyRef& ref, Key** key) {
  *key = root.Find(ref.path);
  return *key ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

}  // namespace registry
}  // namespace winport

using winport::registry::Key;
using winport::registry::KeyRef;

extern "C" LSTATUS WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  KeyRef ref;
  DWORD error = winport::registry::ResolveKey(hKey, &ref);
  if (error != ERROR_SUCCESS) return static_cast<LSTATUS>(error);
  for (std::string& name : winport::registry::SplitSubKey(lpSubKey)) ref.path.push_back(std::move(name));
  ref.access = samDesired & ~(KEY_WOW64_32KEY | KEY_WOW64_64KEY);
  error = winport::registry::ReadRoot(ref.root, [&](Key& root) -> DWORD {
    if (!root.Find(ref.path)) return ERROR_FILE_NOT_FOUND;
    ref.path = winport::registry::StoredNames(root, ref.path);
    return ERROR_SUCCESS;
  });
  if (error != ERROR_SUCCESS) return static_cast<LSTATUS>(error);
  *phkResult = winport::registry::Register(ref);
  return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR lpClass, DWORD, REGSAM samDesired,
                                          const SECURITY_ATTRIBUTES*, PHKEY phkResult, LPDWORD lpdwDisposition) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  KeyRef ref;
  DWORD error = winport::registry::ResolveKey(hKey, &ref);
  if (error != ERROR_SUCCESS) return static_cast<LSTATUS>(error);
  for (std::string& name : winport::registry::SplitSubKey(lpSubKey)) {
    if (name.find_first_of("\r\n") != std::string::npos) return ERROR_INVALID_PARAMETER;
    ref.path.push_back(std::move(name));
  }
  std::string className = lpClass ? lpClass : "";
  if (className.find_first_of("\r\n") != std::string::npos) return ERROR_INVALID_PARAMETER;
  ref.access = samDesired & ~(KEY_WOW64_32KEY | KEY_WOW64_64KEY);
  bool createdAny = false;
  error = winport::registry::UpdateRoot(ref.root, [&](Key& root, bool* changed) -> DWORD {
    Key* key = &root;
    bool created = false;
    for (const std::string& name : ref.path) {
      created = false;
      key = key->AddSubkey(name, &created);
      createdAny = createdAny || created;
    }
    // The class belongs to the key this call creates; an existing key keeps its own.
    if (created) key->setClassName(className);
    ref.path = winport::registry::StoredNames(root, ref.path);
    *changed = createdAny;
    return ERROR_SUCCESS;
  });
  if (error != ERROR_SUCCESS) return static_cast<LSTATUS>(error);
  if (lpdwDisposition) *lpdwDisposition = createdAny ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *phkResult = winport::registry::Register(ref);
  return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegCloseKey(HKEY hKey) {
  if (winport::registry::IsPredefined(hKey)) return ERROR_SUCCESS;
  winport::HandleObject* object = winport::FindHandle(hKey);
  if (!dynamic_cast<winport::registry::KeyHandle*>(object)) return ERROR_INVALID_HANDLE;
  delete winport::UnregisterHandle(hKey);
  return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
  if (!lpSubKey) return ERROR_INVALID_PARAMETER;
  KeyRef ref;
  DWORD error = winport::registry::ResolveKey(hKey, &ref);
  if (error != ERROR_SUCCESS) return static_cast<LSTATUS>(error);
  for (std::string& name : winport::registry::SplitSubKey(lpSubKey)) ref.path.push_back(std::move(name));
  if (ref.path.empty()) return ERROR_ACCESS_DENIED;  // a root cannot be deleted
  error = winport::registry::UpdateRoot(ref.root, [&](Key& root, bool* changed) -> DWORD {
    Key* key = root.Find(ref.path);
    if (!key) return ERROR_FILE_NOT_FOUND;
    if (!key->subkeys().empty()) return ERROR_ACCESS_DENIED;  // Windows deletes leaves only
    std::vector<std::string> parentPath(ref.path.begin(), ref.path.end() - 1);
    root.Find(parentPath)->RemoveSubkey(ref.path.back());
    *changed = true;
    return ERROR_SUCCESS;
  });
  return static_cast<LSTATUS>(error);
}
