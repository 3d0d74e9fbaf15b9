// The locales the layer knows: for each, the Windows identifier, the POSIX
// name it answers to, the date and time patterns Windows uses for it, and
// the names of days and months in the Windows ANSI code page.
#pragma once

#include <windows.h>

namespace winport {

// The names of days (Sunday first) and months of one language.
struct LocaleNames {
  const char* days[7];
  const char* abbreviatedDays[7];
  const char* months[12];
  const char* abbreviatedMonths[12];
};

struct LocaleInfo {
  LCID lcid;
  const char* posixName;  // "de_CH"; the first entry of a language also answers to "de"
  const char* shortDate;
  const char* longDate;
  const char* yearMonth;
  const char* timeFormat;
  const char* am;
  const char* pm;
  const LocaleNames* names;
};

// The locale of an identifier: LOCALE_USER_DEFAULT, LOCALE_SYSTEM_DEFAULT
// and LOCALE_NEUTRAL stand for the user's default; a neutral sublanguage
// stands for the language's default one; a sublanguage the table lacks
// falls back to the language's first locale. NULL for a language the table
// does not know.
const LocaleInfo* FindLocale(LCID lcid);

// The identifier of a POSIX locale name ("de_CH.UTF-8@euro", "it"), or 0
// when the table does not know its language.
LCID LcidFromPosixName(const char* name);

}  // namespace winport
