// GetLocaleInfoA: the ISO names of a locale of the layer's table.
#include <string.h>
#include <windows.h>

#include <string>

#include "locale_table.h"

namespace {

// The locale an identifier stands for: the pseudo-locales and a neutral
// sublanguage as FindLocale resolves them, any other language only when the
// table holds exactly that one (a sublanguage outside the table is not
// answered with a neighbour's country).
const winport::LocaleInfo* LocaleFor(LCID lcid) {
  const LANGID language = LANGIDFROMLCID(lcid);
  const winport::LocaleInfo* locale = winport::FindLocale(lcid);
  if (!locale) return nullptr;
  const bool resolved = language == LOCALE_USER_DEFAULT || language == LOCALE_SYSTEM_DEFAULT ||
                        language == LOCALE_NEUTRAL || SUBLANGID(language) == SUBLANG_NEUTRAL;
  return resolved || LANGIDFROMLCID(locale->lcid) == language ? locale : nullptr;
}

// "de_CH" gives "de" and "CH"; the invariant locale, which has no POSIX
// name, is "iv" and "IV" as on Windows.
std::string IsoName(const winport::LocaleInfo& locale, bool country) {
  if (!locale.posixName) return country ? "IV" : "iv";
  const char* underscore = strchr(locale.posixName, '_');
  return country ? std::string(underscore + 1) : std::string(locale.posixName, underscore);
}

}  // namespace

extern "C" int WINAPI GetLocaleInfoA(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData) {
  if (cchData < 0 || (cchData > 0 && !lpLCData)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const LCTYPE item = LCType & ~LOCALE_NOUSEROVERRIDE;
  if (item != LOCALE_SISO639LANGNAME && item != LOCALE_SISO3166CTRYNAME) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  const winport::LocaleInfo* locale = LocaleFor(Locale);
  if (!locale) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::string name = IsoName(*locale, item == LOCALE_SISO3166CTRYNAME);
  const int needed = static_cast<int>(name.size()) + 1;
  if (cchData == 0) return needed;
  if (cchData < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  memcpy(lpLCData, name.c_str(), static_cast<size_t>(needed));
  return needed;
}
