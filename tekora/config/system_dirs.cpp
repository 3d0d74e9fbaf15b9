// PAUtilsConfig::InitSystemDirs and GetSystemDirs: the compiler's system
// include folders, found once when a tree is set up.
#include <direct.h>
#include <windows.h>

#include <tekora/configuration.h>
#include <tekora/core.h>

#include "../string_ids.h"
#include "include_list.h"

namespace {

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
  if (!tekora::ReadIncludeList(&list) || list.IsEmpty()) return 0;
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
