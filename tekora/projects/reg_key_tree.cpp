// PARegKey: deleting a whole key tree and searching one for a string value.
#include <tekora/registry.h>

int PARegKey::DeleteKeyTree(HKEY root, LPCSTR subKey) {
  // Without a sub key the tree would be the whole of `root`.
  if (subKey == NULL || *subKey == '\0') return Result(ERROR_INVALID_PARAMETER);
  try {
    PARegKey key;
    if (!key.Open(root, subKey, KEY_ALL_ACCESS)) return Result(key.GetLastError());
    // The first sub-key again and again, each time one fewer.
    for (;;) {
      key.SetEnumIndex(0);
      CString name, className;
      if (!key.EnumSubKey(name, className)) {
        if (key.GetLastError() != ERROR_NO_MORE_ITEMS) return Result(key.GetLastError());
        break;
      }
      // A sub-tree that cannot be deleted would come first forever: stop.
      PARegKey child;
      if (!child.DeleteKeyTree(key.GetKey(), name)) return Result(child.GetLastError());
    }
    key.Close();
    return DeleteKey(root, subKey);
  } catch (CException* e) {
    e->Delete();
    return Result(ERROR_NOT_ENOUGH_MEMORY);
  }
}

int PARegKey::FindStringValue(HKEY root, LPCSTR subKey, LPCSTR valueName, CString& text) {
  try {
    PARegKey key;
    if (!key.Open(root, subKey, KEY_READ)) return 0;
    CString value;
    if (key.QueryString(valueName, value)) {
      text = value;
      return 1;
    }
    CString name, className;
    while (key.EnumSubKey(name, className)) {
      if (FindStringValue(key.GetKey(), name, valueName, text)) return 1;
    }
    return 0;
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}
