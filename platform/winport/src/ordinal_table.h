// Lookup in a module's table of exports by ordinal (see winport/ordinals.h).
#pragma once

#include <windows.h>
#include <winport/ordinals.h>

namespace winport {

// The export name the table gives for the ordinal; nullptr when the table is
// missing, the ordinal is 0 or not listed. The table ends with ordinal 0.
const char* FindOrdinalName(const WinportOrdinal* table, WORD ordinal);

}  // namespace winport
