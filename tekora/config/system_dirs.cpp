// PAUtilsConfig::InitSystemDirs and GetSystemDirs: the compiler's system
// include folders, found once when a tree is set up.
#include <direct.h>
#include <shlobj.h>
#include <windows.h>

#include <memory>

#include <tekora/configuration.h>
#include <tekora/core.h>
#include <tekora/time_guid.h>

#include "../string_ids.h"

namespace {

// Include folder lists are read into this many characters.
const DWORD kIncludeListSize = 13000;

// The include folder list of the development environment: from its
// component file below the local application data folder, or (compiler
// generation 0) from %INCLUDE%. False when the folder or the variable
// cannot be had.
bool ReadIncludeList(CString* list) {
  // Both reads end what they give with a NUL; the rest of the buffer is
  // never looked at, and so is not cleared first (a project load reads the
  // list each time).
  std::unique_ptr<char[]> buffer(new char[kIncludeListSize]);
  buffer[0] = '\0';
  if (PAGetCompilerGeneration() != 0) {
    char folder[MAX_PATH];
    if (!SHGetSpecialFolderPathA(NULL, folder, CSIDL_LOCAL_APPDATA, TRUE)) return false;
    CString path = folder, file, section, key;
    if (path.IsEmpty() || path[path.GetLength() - 1] != '\\') path += '\\';
    file.LoadString(IDS_PA_CFG_COMPONENT_FILE);
    section.LoadString(IDS_PA_CFG_COMPONENT_SECTION);
    key.LoadString(IDS_PA_CFG_COMPONENT_INCLUDE_KEY);
    path += file;
    GetPrivateProfileStringA(section, key, "", buffer.get(), kIncludeListSize, path);
  } else {
    CString variable;
    variable.LoadString(IDS_PA_CFG_INCLUDE_VARIABLE);
    const DWORD size = ExpandEnvironmentStringsA(variable, buffer.get(), kIncludeListSize);
    // A list that does not fit is not cut at some folder's middle: it fails.
    if (size == 0 || size > kIncludeListSize) return false;
  }
  buffer[kIncludeListSize - 1] = '\0';
  *list = buffer.get();
  return true;
}

// The node's own item of that key, made and appended when it has none.
PAConfigInt* OwnItem(PANodeObject* node, LPCSTR key, int recursive) {
  PAConfigInt* item = node->FindItem(key, recursive);
  if (item == NULL) {
    item = new PAConfigInt(node->GetFile(), node->GetName(), key, NULL);
    node->AddItem(item);
  }
  return item;
}

}  // namespace

int PAUtilsConfig::InitSystemDirs(PANodeObject* node) {
  if (node == NULL) return 0;
  CString list;
  if (!ReadIncludeList(&list) || list.IsEmpty()) return 0;
  // The folder checks below enter each folder; the working folder is put
  // back afterwards (reading the list leaves it as it is).
  char saved[MAX_PATH];
  if (_getcwd(saved, MAX_PATH) == NULL) saved[0] = '\0';
  if (list[list.GetLength() - 1] != ';') list += ';';

  int count = 0;
  for (int start = 0, end; (end = list.Find(';', start)) >= 0; start = end + 1) {
    CString entry = list.Mid(start, end - start);
    if (entry.IsEmpty()) continue;
    entry.MakeLower();
    entry.TrimRight();
    entry.TrimRight('.');
    if (entry.Find('$') >= 0) continue;  // a macro the environment did not expand
    if (!PACheckPath(entry, 1, 0)) continue;
    CString key;
    key.Format(IDS_PA_CFG_SYS_KEY_FORMAT, count++);
    PAConfigInt* item = OwnItem(node, key, 0);
    item->SetValue(entry);
    item->SetDoNotStore(1);
  }

  CString flagKey;
  flagKey.LoadString(IDS_PA_CFG_SYSINCLS);
  PAConfigInt* flag = OwnItem(node, flagKey, 1);
  flag->SetInt(1);
  flag->SetDoNotStore(0);
  return saved[0] != '\0' && _chdir(saved) == 0 ? 1 : 0;
}

int PAUtilsConfig::GetSystemDirs(CStringArray& dirs) const {
  dirs.RemoveAll();
  const PANodeObject* node = FindChildById(IDS_PA_CFG_SYSTEM_DIRS, 1);
  if (node == NULL) return 0;
  for (int i = 0; i < node->GetItemCount(); ++i) {
    CString value = node->GetItem(i)->GetValue();
    value.MakeLower();
    dirs.Add(value);
  }
  return 1;
}
