#include "settings_keys.h"

#include "../string_ids.h"

namespace tekora {
namespace scriptsettings {

CString SectionName() { return CString(MAKEINTRESOURCEA(IDS_PA_SETTINGS_SECTION)); }

CString KeyName(UINT id) { return CString(MAKEINTRESOURCEA(id)); }

}  // namespace scriptsettings
}  // namespace tekora
