// PAUtilsConfig::InitHomeDir: the projects home folder, %PHOME%, in the
// library's canonical folder form.
#include <direct.h>
#include <windows.h>

#include <tekora/configuration.h>
#include <tekora/core.h>

#include "../string_ids.h"
#include "../system/expand_variable.h"

int PAUtilsConfig::InitHomeDir(PAConfigInt* item) {
  if (item == NULL) return 0;
  CString home;
  if (!tekora::ExpandTextVariable(IDS_PA_CFG_PHOME_VARIABLE, home) || home.IsEmpty()) return 0;
  home.MakeLower();
  char saved[MAX_PATH];
  if (_getcwd(saved, MAX_PATH) == NULL) saved[0] = '\0';
  const int entered = PACheckPath(home, 1, 0);
  if (saved[0] != '\0') _chdir(saved);
  if (!entered) return 0;
  item->SetValue(home);
  return 1;
}
