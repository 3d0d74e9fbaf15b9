// PARegKey: enumerating sub-keys and reading all values of a key as text.
#include <string.h>

#include <tekora/registry.h>

#include "../string_ids.h"

namespace {

// Sub-key names and classes are read with these buffer sizes in turn, until
// both fit.
const DWORD kEnumBufferSizes[] = {256, 1024, 4096, 16384};

// The buffer that REG_EXPAND_SZ values are expanded into.
const DWORD kExpandBufferSize = 4096;

// The strings of a REG_MULTI_SZ value joined by carriage returns; the list
// ends at its first empty string or at the end of the data.
CString JoinMultiString(LPCSTR data, DWORD size) {
  CString joined;
  DWORD at = 0;
  while (at < size && data[at] != '\0') {
    DWORD length = static_cast<DWORD>(strnlen(data + at, size - at));
    if (at > 0) joined += '\r';
    joined.Append(data + at, static_cast<int>(length));
    at += length + 1;
  }
  return joined;
}

}  // namespace

int PARegKey::EnumSubKey(CString& name, CString& className) {
  const DWORD index = static_cast<DWORD>(m_nEnumIndex++);
  try {
    LONG error = ERROR_MORE_DATA;
    CString nameBuffer, classBuffer;
    DWORD nameLength = 0, classLength = 0;
    for (DWORD size : kEnumBufferSizes) {
      nameLength = size;
      classLength = size;
      LPSTR namePtr = nameBuffer.GetBuffer(static_cast<int>(size));
      LPSTR classPtr = classBuffer.GetBuffer(static_cast<int>(size));
      error = RegEnumKeyExA(m_hKey, index, namePtr, &nameLength, NULL, classPtr, &classLength, NULL);
      if (error != ERROR_MORE_DATA) break;
    }
    if (error != ERROR_SUCCESS) return Result(error);
    nameBuffer.ReleaseBuffer(static_cast<int>(nameLength));
    classBuffer.ReleaseBuffer(static_cast<int>(classLength));
    name = nameBuffer;
    className = classBuffer;
    return Result(ERROR_SUCCESS);
  } catch (CException* e) {
    e->Delete();
    return Result(ERROR_NOT_ENOUGH_MEMORY);
  }
}

int PARegKey::ReadAllValues(CString& text) {
  DWORD count = 0, longestName = 0, longestData = 0;
  LONG error = RegQueryInfoKeyA(m_hKey, NULL, NULL, NULL, NULL, NULL, NULL, &count, &longestName, &longestData,
                                NULL, NULL);
  if (error != ERROR_SUCCESS) return Result(error);
  try {
    text.Empty();
    CString format;
    format.LoadString(IDS_PA_REG_VALUE_LINE);
    CString nameBuffer, dataBuffer, expandBuffer;
    LPSTR name = nameBuffer.GetBuffer(static_cast<int>(longestName + 1));
    LPSTR data = dataBuffer.GetBuffer(static_cast<int>(longestData + 1));
    LPSTR expanded = expandBuffer.GetBuffer(static_cast<int>(kExpandBufferSize));
    for (DWORD index = 0; index < count; ++index) {
      DWORD nameLength = longestName + 1, dataLength = longestData, type = REG_NONE;
      // A value that changed since the count was taken may not fit: skipped.
      if (RegEnumValueA(m_hKey, index, name, &nameLength, NULL, &type, reinterpret_cast<LPBYTE>(data),
                        &dataLength) != ERROR_SUCCESS)
        continue;
      data[dataLength] = '\0';  // stored strings may lack their terminator
      if (type == REG_SZ) {
        text.AppendFormat(format, name, data);
      } else if (type == REG_MULTI_SZ) {
        text.AppendFormat(format, name, static_cast<LPCSTR>(JoinMultiString(data, dataLength)));
      } else if (type == REG_EXPAND_SZ) {
        DWORD needed = ExpandEnvironmentStringsA(data, expanded, kExpandBufferSize);
        if (needed != 0 && needed <= kExpandBufferSize) text.AppendFormat(format, name, expanded);
      }
    }
    return Result(ERROR_SUCCESS);
  } catch (CException* e) {
    e->Delete();
    return Result(ERROR_NOT_ENOUGH_MEMORY);
  }
}
