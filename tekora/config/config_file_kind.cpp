// HasFileGuid: a configuration file's kind, told by its MAIN GUID.
#include <tekora/config_items.h>

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

}  // namespace tekora
