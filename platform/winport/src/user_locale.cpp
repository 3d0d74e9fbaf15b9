// GetUserDefaultLCID and its relatives: the user's locale from the POSIX
// locale variables.
#include <stdlib.h>
#include <windows.h>

#include <initializer_list>

#include "locale_table.h"

namespace {

const LCID kEnglishUS = 0x0409;

}  // namespace

extern "C" LCID WINAPI GetUserDefaultLCID(void) {
  // The POSIX order of precedence; an empty variable counts as unset.
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = getenv(variable);
    if (!value || !*value) continue;
    LCID lcid = winport::LcidFromPosixName(value);
    return lcid ? lcid : kEnglishUS;
  }
  return kEnglishUS;
}

extern "C" LANGID WINAPI GetUserDefaultLangID(void) { return LANGIDFROMLCID(GetUserDefaultLCID()); }

extern "C" LCID WINAPI GetSystemDefaultLCID(void) { return GetUserDefaultLCID(); }
