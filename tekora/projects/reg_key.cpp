// PARegKey: opening, creating, closing and deleting keys, and reading and
// writing single values.
#include <stdlib.h>
#include <string.h>

#include <tekora/registry.h>

PARegKey::PARegKey() : m_hKey(NULL), m_nLastError(0), m_nEnumIndex(0) {}

PARegKey::~PARegKey() { Close(); }

int PARegKey::Result(LONG error) {
  m_nLastError = error;
  return error == ERROR_SUCCESS ? 1 : 0;
}

int PARegKey::Open(HKEY root, LPCSTR subKey, unsigned int access) {
  // The new key is opened before the old one is closed: root may be the old one.
  HKEY key = NULL;
  LONG error = RegOpenKeyExA(root, subKey, 0, access, &key);
  return Replace(error == ERROR_SUCCESS ? key : NULL, error);
}

int PARegKey::Create(HKEY root, LPCSTR subKey, LPCSTR className, unsigned int access) {
  HKEY key = NULL;
  LONG error = RegCreateKeyExA(root, subKey, 0, const_cast<LPSTR>(className), 0, access, NULL, &key, NULL);
  return Replace(error == ERROR_SUCCESS ? key : NULL, error);
}

int PARegKey::Replace(HKEY key, LONG error) {
  if (m_hKey != NULL) RegCloseKey(m_hKey);
  m_hKey = key;
  m_nEnumIndex = 0;  // a new key is enumerated from its first sub-key
  return Result(error);
}

int PARegKey::DeleteKey(HKEY root, LPCSTR subKey) {
  if (subKey == NULL) return Result(ERROR_INVALID_PARAMETER);
  return Result(RegDeleteKeyA(root, subKey));
}

int PARegKey::Close() {
  if (m_hKey == NULL) return 1;
  LONG error = RegCloseKey(m_hKey);
  m_hKey = NULL;
  return Result(error);
}

int PARegKey::DeleteValue(LPCSTR valueName) { return Result(RegDeleteValueA(m_hKey, valueName)); }

int PARegKey::QueryString(LPCSTR valueName, CString& text) {
  try {
    // The value may grow between asking its size and reading it: ask again.
    for (int attempt = 0; attempt < 4; ++attempt) {
      DWORD type = REG_NONE, size = 0;
      LONG error = RegQueryValueExA(m_hKey, valueName, NULL, &type, NULL, &size);
      if (error != ERROR_SUCCESS) return Result(error);
      if (type != REG_SZ) return Result(ERROR_INVALID_DATATYPE);
      CString value;
      LPSTR buffer = value.GetBuffer(static_cast<int>(size));
      error = RegQueryValueExA(m_hKey, valueName, NULL, &type, reinterpret_cast<LPBYTE>(buffer), &size);
      if (error == ERROR_MORE_DATA) continue;
      if (error == ERROR_SUCCESS && type != REG_SZ) error = ERROR_INVALID_DATATYPE;
      if (error != ERROR_SUCCESS) return Result(error);
      buffer[size] = '\0';  // a stored string may lack its terminator
      value.ReleaseBuffer();
      text = value;
      return Result(ERROR_SUCCESS);
    }
    return Result(ERROR_MORE_DATA);
  } catch (CException* e) {
    e->Delete();
    return Result(ERROR_NOT_ENOUGH_MEMORY);
  }
}

int PARegKey::QueryBuffer(LPCSTR valueName, DWORD expectedType, unsigned int extraZeros, unsigned int* size,
                          void** data) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = REG_NONE, length = 0;
    LONG error = RegQueryValueExA(m_hKey, valueName, NULL, &type, NULL, &length);
    if (error != ERROR_SUCCESS) return Result(error);
    if (type != expectedType) return Result(ERROR_INVALID_DATATYPE);
    LPBYTE buffer = static_cast<LPBYTE>(malloc(static_cast<size_t>(length) + extraZeros + 1));
    if (buffer == NULL) return Result(ERROR_NOT_ENOUGH_MEMORY);
    error = RegQueryValueExA(m_hKey, valueName, NULL, &type, buffer, &length);
    if (error == ERROR_SUCCESS && type != expectedType) error = ERROR_INVALID_DATATYPE;
    if (error != ERROR_SUCCESS) {
      free(buffer);
      if (error == ERROR_MORE_DATA) continue;
      return Result(error);
    }
    memset(buffer + length, 0, extraZeros + 1);
    *data = buffer;
    if (size != NULL) *size = length;
    return Result(ERROR_SUCCESS);
  }
  return Result(ERROR_MORE_DATA);
}

int PARegKey::QueryBinary(LPCSTR valueName, unsigned int* size, unsigned char** data) {
  if (data == NULL) return Result(ERROR_INVALID_PARAMETER);
  void* buffer = NULL;
  if (!QueryBuffer(valueName, REG_BINARY, 0, size, &buffer)) return 0;
  *data = static_cast<unsigned char*>(buffer);
  return 1;
}

int PARegKey::QueryMultiString(LPCSTR valueName, unsigned int* size, char** data) {
  if (data == NULL) return Result(ERROR_INVALID_PARAMETER);
  void* buffer = NULL;
  if (!QueryBuffer(valueName, REG_MULTI_SZ, 2, size, &buffer)) return 0;
  *data = static_cast<char*>(buffer);
  return 1;
}

int PARegKey::SetString(LPCSTR valueName, LPCSTR text) {
  if (m_hKey == NULL || text == NULL) return 0;
  return Result(RegSetValueExA(m_hKey, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                               static_cast<DWORD>(strlen(text) + 1)));
}

int PARegKey::QueryDword(LPCSTR valueName, unsigned int& value) {
  DWORD type = REG_NONE, data = 0, size = sizeof data;
  LONG error = RegQueryValueExA(m_hKey, valueName, NULL, &type, reinterpret_cast<LPBYTE>(&data), &size);
  if ((error == ERROR_SUCCESS || error == ERROR_MORE_DATA) && (type != REG_DWORD || size != sizeof data))
    error = ERROR_INVALID_DATATYPE;
  if (error == ERROR_SUCCESS) value = data;
  return Result(error);
}

int PARegKey::SetDword(LPCSTR valueName, unsigned int value) {
  DWORD data = value;
  return Result(RegSetValueExA(m_hKey, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data));
}

int PARegKey::QueryDefaultString(CString& text) { return QueryString("", text); }
int PARegKey::SetDefaultString(LPCSTR text) { return SetString("", text); }
int PARegKey::QueryDefaultDword(unsigned int& value) { return QueryDword("", value); }
int PARegKey::SetDefaultDword(unsigned int value) { return SetDword("", value); }

HKEY PARegKey::GetKey() const { return m_hKey; }
int PARegKey::GetLastError() const { return m_nLastError; }
int PARegKey::GetEnumIndex() const { return m_nEnumIndex; }
void PARegKey::SetEnumIndex(int index) { m_nEnumIndex = index; }
