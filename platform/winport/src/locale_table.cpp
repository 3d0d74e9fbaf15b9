// The locale table. Patterns and names are those Windows uses for each
// locale; non-ASCII letters are Windows-1252 bytes (where a hex escape is
// followed by a letter that is a hex digit, the literal is split in two).
#include "locale_table.h"

#include <ctype.h>
#include <string.h>

#include <string>

namespace winport {
namespace {

const LocaleNames kEnglish = {
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
    {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
     "November", "December"},
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
};

const LocaleNames kGerman = {
    {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
    {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
    {"Januar", "Februar", "M\xE4rz", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober",
     "November", "Dezember"},
    {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
};

// Austrian German has its own name for January.
const LocaleNames kAustrianGerman = {
    {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
    {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
    {"J\xE4nner", "Februar", "M\xE4rz", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober",
     "November", "Dezember"},
    {"J\xE4n", "Feb", "Mrz", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
};

const LocaleNames kFrench = {
    {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"},
    {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."},
    {"janvier", "f\xE9vrier", "mars", "avril", "mai", "juin", "juillet", "ao\xFBt", "septembre", "octobre",
     "novembre", "d\xE9" "cembre"},
    {"janv.", "f\xE9vr.", "mars", "avr.", "mai", "juin", "juil.", "ao\xFBt", "sept.", "oct.", "nov.",
     "d\xE9" "c."},
};

const LocaleNames kItalian = {
    {"domenica", "luned\xEC", "marted\xEC", "mercoled\xEC", "gioved\xEC", "venerd\xEC", "sabato"},
    {"dom", "lun", "mar", "mer", "gio", "ven", "sab"},
    {"gennaio", "febbraio", "marzo", "aprile", "maggio", "giugno", "luglio", "agosto", "settembre", "ottobre",
     "novembre", "dicembre"},
    {"gen", "feb", "mar", "apr", "mag", "giu", "lug", "ago", "set", "ott", "nov", "dic"},
};

const LocaleNames kSpanish = {
    {"domingo", "lunes", "martes", "mi\xE9rcoles", "jueves", "viernes", "s\xE1" "bado"},
    {"dom", "lun", "mar", "mi\xE9", "jue", "vie", "s\xE1" "b"},
    {"enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre", "octubre",
     "noviembre", "diciembre"},
    {"ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"},
};

const LocaleNames kDutch = {
    {"zondag", "maandag", "dinsdag", "woensdag", "donderdag", "vrijdag", "zaterdag"},
    {"zo", "ma", "di", "wo", "do", "vr", "za"},
    {"januari", "februari", "maart", "april", "mei", "juni", "juli", "augustus", "september", "oktober",
     "november", "december"},
    {"jan", "feb", "mrt", "apr", "mei", "jun", "jul", "aug", "sep", "okt", "nov", "dec"},
};

const LocaleInfo kLocales[] = {
    // The first entry is the fallback for an unknown user locale.
    {0x0409, "en_US", "M/d/yyyy", "dddd, MMMM d, yyyy", "MMMM yyyy", "h:mm:ss tt", "AM", "PM", &kEnglish},
    {0x0809, "en_GB", "dd/MM/yyyy", "dd MMMM yyyy", "MMMM yyyy", "HH:mm:ss", "AM", "PM", &kEnglish},
    {0x0407, "de_DE", "dd.MM.yyyy", "dddd, d. MMMM yyyy", "MMMM yyyy", "HH:mm:ss", "", "", &kGerman},
    {0x0807, "de_CH", "dd.MM.yyyy", "dddd, d. MMMM yyyy", "MMMM yyyy", "HH:mm:ss", "", "", &kGerman},
    {0x0C07, "de_AT", "dd.MM.yyyy", "dddd, dd. MMMM yyyy", "MMMM yyyy", "HH:mm:ss", "", "", &kAustrianGerman},
    {0x040C, "fr_FR", "dd/MM/yyyy", "dddd d MMMM yyyy", "MMMM yyyy", "HH:mm:ss", "", "", &kFrench},
    {0x0410, "it_IT", "dd/MM/yyyy", "dddd d MMMM yyyy", "MMMM yyyy", "HH:mm:ss", "", "", &kItalian},
    // Spanish with the modern sort comes first, so that "es" names it.
    {0x0C0A, "es_ES", "dd/MM/yyyy", "dddd, d' de 'MMMM' de 'yyyy", "MMMM' de 'yyyy", "H:mm:ss", "", "", &kSpanish},
    {0x040A, "es_ES", "dd/MM/yyyy", "dddd, d' de 'MMMM' de 'yyyy", "MMMM' de 'yyyy", "H:mm:ss", "", "", &kSpanish},
    {0x0413, "nl_NL", "d-M-yyyy", "dddd d MMMM yyyy", "MMMM yyyy", "H:mm:ss", "", "", &kDutch},
    {LOCALE_INVARIANT, nullptr, "MM/dd/yyyy", "dddd, dd MMMM yyyy", "yyyy MMMM", "HH:mm:ss", "AM", "PM", &kEnglish},
};

const LocaleInfo* FindExact(LANGID language) {
  for (const LocaleInfo& locale : kLocales)
    if (LANGIDFROMLCID(locale.lcid) == language) return &locale;
  return nullptr;
}

const LocaleInfo* FindLanguage(WORD primary) {
  for (const LocaleInfo& locale : kLocales)
    if (PRIMARYLANGID(LANGIDFROMLCID(locale.lcid)) == primary) return &locale;
  return nullptr;
}

std::string Folded(std::string text, int (*fold)(int)) {
  for (char& c : text) c = static_cast<char>(fold(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

const LocaleInfo* FindLocale(LCID lcid) {
  LANGID language = LANGIDFROMLCID(lcid);
  if (language == LOCALE_USER_DEFAULT || language == LOCALE_SYSTEM_DEFAULT || language == LOCALE_NEUTRAL)
    language = LANGIDFROMLCID(GetUserDefaultLCID());
  if (language == LOCALE_INVARIANT) return FindExact(language);
  const WORD primary = PRIMARYLANGID(language);
  if (primary == LANG_NEUTRAL) return nullptr;
  if (SUBLANGID(language) == SUBLANG_NEUTRAL) language = MAKELANGID(primary, SUBLANG_DEFAULT);
  const LocaleInfo* exact = FindExact(language);
  return exact ? exact : FindLanguage(primary);
}

LCID LcidFromPosixName(const char* name) {
  if (!name) return 0;
  // "de_CH.UTF-8@euro" -> language "de", region "CH"; "-" separates as "_" does.
  const std::string tag(name, strcspn(name, ".@"));
  const size_t split = tag.find_first_of("_-");
  const std::string language = Folded(tag.substr(0, split), tolower);
  const std::string region = split == std::string::npos ? "" : Folded(tag.substr(split + 1), toupper);
  if (language.empty()) return 0;

  const LocaleInfo* sameLanguage = nullptr;
  for (const LocaleInfo& locale : kLocales) {
    if (!locale.posixName) continue;
    const char* underscore = strchr(locale.posixName, '_');
    if (language != std::string(locale.posixName, underscore)) continue;
    if (region == underscore + 1) return locale.lcid;
    if (!sameLanguage) sameLanguage = &locale;
  }
  return sameLanguage ? sameLanguage->lcid : 0;
}

}  // namespace winport
