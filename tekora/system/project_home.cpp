#include "project_home.h"

#include <tekora/config_items.h>
#include <tekora/configuration.h>

BOOL GetProjectHome(CString& home) {
  PAConfigInt item;
  if (!PAUtilsConfig::InitHomeDir(&item)) return FALSE;
  home = item.GetValue();
  home.MakeLower();
  return !home.IsEmpty();
}
