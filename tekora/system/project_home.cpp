#include "project_home.h"

#include <direct.h>
#include <string.h>

#include <tekora/core.h>

BOOL GetProjectHome(CString& home) {
  char expanded[2600];
  DWORD length = ExpandEnvironmentStringsA("%PHOME%", expanded, sizeof expanded);
  if (length == 0 || length > sizeof expanded || strcmp(expanded, "%PHOME%") == 0 || !*expanded) return FALSE;
  home = expanded;
  home.MakeLower();
  char saved[MAX_PATH];
  const BOOL haveSaved = _getcwd(saved, MAX_PATH) != NULL;
  const BOOL entered = PACheckPath(home, 1, 0);
  if (haveSaved) _chdir(saved);
  return entered;
}
