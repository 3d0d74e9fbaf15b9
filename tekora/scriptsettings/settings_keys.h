// The keys of the settings block, in the order the block lists them, and the
// texts of the block (section name, key names, value formats) from the
// library's string table.
#pragma once

#include <afx.h>

namespace tekora {
namespace scriptsettings {

// Buffer sizes of the values read: texts keep at most one character less.
const int kTextBufferSize = 260;
const int kRunOnlyOnceBufferSize = 2600;

// The section name "Settings".
CString SectionName();
// The name of a key (IDS_PA_SETTINGS_KEY_*).
CString KeyName(UINT id);

}  // namespace scriptsettings
}  // namespace tekora
