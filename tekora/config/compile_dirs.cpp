// PAUtilsConfig::GetCompileDirs: the folders the compile settings name.
#include <string.h>

#include <string>
#include <unordered_set>

#include <tekora/configuration.h>
#include <tekora/core.h>
#include <tekora/system.h>

#include "../string_ids.h"

int PAUtilsConfig::GetCompileDirs(CStringArray& dirs) const {
  dirs.RemoveAll();
  const PANodeObject* settings = FindChildById(IDS_PA_CFG_COMPILE_SETTINGS, 1);
  if (settings == NULL || settings->GetChildCount() == 0) return 1;

  const CString base = GetProjectDir();
  CString prefix;
  prefix.LoadString(IDS_PA_CFG_LINI_PREFIX);
  std::unordered_set<std::string> taken;
  // Only the grandchildren of COMPILE_SETTINGS name folders.
  for (int i = 0; i < settings->GetChildCount(); ++i) {
    const PANodeObject* child = settings->GetChild(i);
    for (int j = 0; j < child->GetChildCount(); ++j) {
      const PANodeObject* grandchild = child->GetChild(j);
      for (int k = 0; k < grandchild->GetItemCount(); ++k) {
        const PAConfigInt* item = grandchild->GetItem(k);
        if (*item->GetValue() == '\0' || strncmp(item->GetKey(), prefix, prefix.GetLength()) != 0) continue;
        CString folder = base + item->GetValue();
        if (!PAFullPath(folder) || !PANormalizeDirectory(folder)) continue;
        if (taken.insert(std::string(folder)).second) dirs.Add(folder);
      }
    }
  }
  return dirs.GetSize() > 0 ? 1 : 0;
}
