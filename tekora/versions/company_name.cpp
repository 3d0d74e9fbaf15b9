// The company name of a new version record, from the registry.
#include "company_name.h"

#include <string.h>
#include <windows.h>

#include <initializer_list>

#include "../string_ids.h"

namespace tekora {

namespace {

// A place is read into 261 bytes, as the suite always has: a longer value
// does not fit and is passed over.
const DWORD kValueBuffer = 261;

// The string value, or an empty text when it cannot be read.
CString ReadString(HKEY root, LPCSTR subKey, LPCSTR valueName) {
  HKEY key = NULL;
  if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return CString();
  char value[kValueBuffer];
  DWORD size = sizeof value;
  DWORD type = 0;
  const LONG result = RegQueryValueExA(key, valueName, NULL, &type, reinterpret_cast<LPBYTE>(value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_SZ) return CString();
  // A stored value need not end with its zero.
  return CString(value, static_cast<int>(strnlen(value, size)));
}

}  // namespace

CString RegisteredCompanyName() {
  struct Place {
    UINT key;
    UINT value;
  };
  static const Place kPlaces[] = {
      {IDS_PA_VER_REG_WINDOWS, IDS_PA_VER_REG_ORGANIZATION},  {IDS_PA_VER_REG_WINDOWS_NT, IDS_PA_VER_REG_ORGANIZATION},
      {IDS_PA_VER_REG_DEVELOPER, IDS_PA_VER_REG_ORGANIZATION}, {IDS_PA_VER_REG_DEVSTUDIO5, IDS_PA_VER_REG_ORGANIZATION},
      {IDS_PA_VER_REG_DEVSTUDIO6, IDS_PA_VER_REG_ORGANIZATION}, {IDS_PA_VER_REG_ACME, IDS_PA_VER_REG_DEF_COMPANY},
      {IDS_PA_VER_REG_WINDOWS, IDS_PA_VER_REG_OWNER},          {IDS_PA_VER_REG_WINDOWS_NT, IDS_PA_VER_REG_OWNER},
      {IDS_PA_VER_REG_DEVELOPER, IDS_PA_VER_REG_OWNER},        {IDS_PA_VER_REG_DEVSTUDIO5, IDS_PA_VER_REG_OWNER},
      {IDS_PA_VER_REG_DEVSTUDIO6, IDS_PA_VER_REG_OWNER},       {IDS_PA_VER_REG_ACME, IDS_PA_VER_REG_DEF_NAME},
  };
  for (const Place& place : kPlaces) {
    const CString key(MAKEINTRESOURCEA(place.key));
    const CString value(MAKEINTRESOURCEA(place.value));
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
      CString name = ReadString(root, key, value);
      if (!name.IsEmpty()) return name;
    }
  }
  return CString();
}

}  // namespace tekora
