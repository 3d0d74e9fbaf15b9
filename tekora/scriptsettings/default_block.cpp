// PAScriptSettings::LoadDefaultBlock: the block a tool puts into a script
// that has none, before it writes the script's settings.
#include <tekora/script_settings.h>

#include "../string_ids.h"

int PAScriptSettings::LoadDefaultBlock(CString& text) {
  try {
    return text.LoadString(IDS_PA_SCRIPT_SETTINGS_DEFAULT_BLOCK) ? 1 : 0;
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}
