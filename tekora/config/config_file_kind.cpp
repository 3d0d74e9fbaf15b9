// HasFileGuid and the project file test: a configuration file's kind, told
// by its MAIN GUID.
#include <tekora/config_items.h>
#include <tekora/system.h>

#include "../string_ids.h"
#include "config_file_kind.h"

namespace tekora {

int HasFileGuid(LPCSTR path, int guidId) {
  CString section, key, expected;
  section.LoadString(IDS_PA_CFG_MAIN);
  key.LoadString(IDS_PA_CFG_GUID);
  expected.LoadString(guidId);
  PAConfigString guid(path, section, key, "");
  return guid.Read() && expected == guid.GetValue() ? 1 : 0;
}

int IsProjectFile(LPCSTR path, unsigned int* size) {
  if (path == NULL || PACheckConfigFile(path, size) != 0) return 0;
  return HasFileGuid(path, IDS_PA_CFG_PROJECT_GUID);
}

}  // namespace tekora
