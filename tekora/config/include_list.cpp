// ReadIncludeList and IncludeListReading.
#include "include_list.h"

#include <shlobj.h>
#include <windows.h>

#include <tekora/time_guid.h>

#include "../string_ids.h"
#include "table_text.h"

namespace tekora {

namespace {

// Include folder lists are read into this many characters.
const DWORD kIncludeListSize = 13000;

// The reading that serves this thread, if any.
thread_local IncludeListReading* t_reading = nullptr;

bool ReadIncludeListNow(CString* list) {
  // Both reads end what they give with a NUL; the rest of the buffer is
  // never looked at, and so is not cleared first.
  char buffer[kIncludeListSize];
  buffer[0] = '\0';
  if (PAGetCompilerGeneration() != 0) {
    char folder[MAX_PATH];
    if (!SHGetSpecialFolderPathA(NULL, folder, CSIDL_LOCAL_APPDATA, TRUE)) return false;
    CString path = folder;
    if (path.IsEmpty() || path[path.GetLength() - 1] != '\\') path += '\\';
    path += TableText(IDS_PA_CFG_COMPONENT_FILE);
    GetPrivateProfileStringA(TableText(IDS_PA_CFG_COMPONENT_SECTION), TableText(IDS_PA_CFG_COMPONENT_INCLUDE_KEY),
                             "", buffer, kIncludeListSize, path);
  } else {
    const DWORD size = ExpandEnvironmentStringsA(TableText(IDS_PA_CFG_INCLUDE_VARIABLE), buffer, kIncludeListSize);
    // A list that does not fit is not cut at some folder's middle: it fails.
    if (size == 0 || size > kIncludeListSize) return false;
  }
  buffer[kIncludeListSize - 1] = '\0';
  *list = buffer;
  return true;
}

}  // namespace

bool ReadIncludeList(CString* list) {
  IncludeListReading* reading = t_reading;
  if (reading == nullptr) return ReadIncludeListNow(list);
  if (!reading->m_bRead) {
    reading->m_bFound = ReadIncludeListNow(&reading->m_strList);
    reading->m_bRead = true;
  }
  if (reading->m_bFound) *list = reading->m_strList;
  return reading->m_bFound;
}

IncludeListReading::IncludeListReading() : m_bServes(t_reading == nullptr), m_bRead(false), m_bFound(false) {
  if (m_bServes) t_reading = this;
}

IncludeListReading::~IncludeListReading() {
  if (m_bServes) t_reading = nullptr;
}

}  // namespace tekora
