// IsValidLocale: a locale identifier is valid when the layer's locale table
// lists exactly that identifier.
#include <windows.h>

#include "locale_table.h"

extern "C" BOOL WINAPI IsValidLocale(LCID Locale, DWORD dwFlags) {
  (void)dwFlags;  // every locale of the table is both installed and supported
  // FindLocale stands in the user's locale for the pseudo-locales and a
  // language's default for a sublanguage it lacks; only an exact match is
  // a valid identifier.
  const winport::LocaleInfo* locale = winport::FindLocale(Locale);
  return locale != nullptr && locale->lcid == Locale;
}
