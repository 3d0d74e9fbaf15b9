// PAUtilsConfig::InitHomeDir: the projects home folder, %PHOME%, in the
// library's canonical folder form.
#include <direct.h>
#include <windows.h>

#include <tekora/configuration.h>
#include <tekora/core.h>

#include "../string_ids.h"

namespace {

// Environment strings are expanded into this many characters.
const DWORD kExpandSize = 2600;

}  // namespace

int PAUtilsConfig::InitHomeDir(PAConfigInt* item) {
  if (item == NULL) return 0;
  CString variable;
  variable.LoadString(IDS_PA_CFG_PHOME_VARIABLE);
  char expanded[kExpandSize];
  const DWORD size = ExpandEnvironmentStringsA(variable, expanded, kExpandSize);
  if (size == 0 || size > kExpandSize || expanded[0] == '\0') return 0;

  CString home = expanded;
  home.MakeLower();
  char saved[MAX_PATH];
  if (_getcwd(saved, MAX_PATH) == NULL) saved[0] = '\0';
  const int entered = PACheckPath(home, 1, 0);
  if (saved[0] != '\0') _chdir(saved);
  if (!entered) return 0;
  item->SetValue(home);
  return 1;
}
