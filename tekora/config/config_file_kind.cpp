// HasFileGuid and the project file test: a configuration file's kind, told
// by its MAIN GUID.
#include <string.h>

#include <tekora/config_items.h>
#include <tekora/system.h>

#include "../string_ids.h"
#include "config_file_kind.h"
#include "table_text.h"

namespace tekora {

int HasFileGuid(LPCSTR path, int guidId) {
  PAConfigString guid(path, TableText(IDS_PA_CFG_MAIN), TableText(IDS_PA_CFG_GUID), "");
  return guid.Read() && strcmp(TableText(guidId), guid.GetValue()) == 0 ? 1 : 0;
}

int IsProjectFile(LPCSTR path, unsigned int* size) {
  if (path == NULL || PACheckConfigFile(path, size) != 0) return 0;
  return HasFileGuid(path, IDS_PA_CFG_PROJECT_GUID);
}

}  // namespace tekora
