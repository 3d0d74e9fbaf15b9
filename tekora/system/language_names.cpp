// PAGetLanguageNames: the symbolic names of a language identifier, as the
// Windows headers spell them ("LANG_GERMAN", "SUBLANG_GERMAN_SWISS").
#include <tekora/language_names.h>

#include "../string_ids.h"

namespace {

// A sublanguage value with its own name.
struct SubName {
  unsigned int sub;
  UINT nameId;
};

// A primary language: its name, the sublanguages with names of their own,
// and the name of every other sublanguage value (0: "SUBLANG_DEFAULT").
struct Language {
  unsigned int primary;
  UINT nameId;
  const SubName* subs;
  size_t subCount;
  UINT otherSubId;
};

template <size_t N>
constexpr size_t Count(const SubName (&)[N]) {
  return N;
}

const SubName kArabicSubs[] = {
    {0x02, IDS_SUBLANG_ARABIC_IRAQ},
    {0x03, IDS_SUBLANG_ARABIC_EGYPT},
    {0x04, IDS_SUBLANG_ARABIC_LIBYA},
    {0x05, IDS_SUBLANG_ARABIC_ALGERIA},
    {0x06, IDS_SUBLANG_ARABIC_MOROCCO},
    {0x07, IDS_SUBLANG_ARABIC_TUNISIA},
    {0x08, IDS_SUBLANG_ARABIC_OMAN},
    {0x09, IDS_SUBLANG_ARABIC_YEMEN},
    {0x0A, IDS_SUBLANG_ARABIC_SYRIA},
    {0x0B, IDS_SUBLANG_ARABIC_JORDAN},
    {0x0C, IDS_SUBLANG_ARABIC_LEBANON},
    {0x0D, IDS_SUBLANG_ARABIC_KUWAIT},
    {0x0E, IDS_SUBLANG_ARABIC_UAE},
    {0x0F, IDS_SUBLANG_ARABIC_BAHRAIN},
    {0x10, IDS_SUBLANG_ARABIC_QATAR},
};
const SubName kChineseSubs[] = {
    {0x02, IDS_SUBLANG_CHINESE_SIMPLIFIED},
    {0x03, IDS_SUBLANG_CHINESE_HONGKONG},
    {0x04, IDS_SUBLANG_CHINESE_SINGAPORE},
};
const SubName kGermanSubs[] = {
    {0x02, IDS_SUBLANG_GERMAN_SWISS},
    {0x03, IDS_SUBLANG_GERMAN_AUSTRIAN},
    {0x04, IDS_SUBLANG_GERMAN_LUXEMBOURG},
    {0x05, IDS_SUBLANG_GERMAN_LIECHTENSTEIN},
};
const SubName kEnglishSubs[] = {
    {0x02, IDS_SUBLANG_ENGLISH_UK},
    {0x03, IDS_SUBLANG_ENGLISH_AUS},
    {0x04, IDS_SUBLANG_ENGLISH_CAN},
    {0x05, IDS_SUBLANG_ENGLISH_NZ},
    {0x06, IDS_SUBLANG_ENGLISH_EIRE},
    {0x07, IDS_SUBLANG_ENGLISH_SOUTH_AFRICA},
    {0x08, IDS_SUBLANG_ENGLISH_JAMAICA},
    {0x09, IDS_SUBLANG_ENGLISH_CARIBBEAN},
    {0x0A, IDS_SUBLANG_ENGLISH_BELIZE},
    {0x0B, IDS_SUBLANG_ENGLISH_TRINIDAD},
};
const SubName kSpanishSubs[] = {
    {0x02, IDS_SUBLANG_SPANISH_MEXICAN},
    {0x03, IDS_SUBLANG_SPANISH_MODERN},
    {0x04, IDS_SUBLANG_SPANISH_GUATEMALA},
    {0x05, IDS_SUBLANG_SPANISH_COSTA_RICA},
    {0x06, IDS_SUBLANG_SPANISH_PANAMA},
    {0x07, IDS_SUBLANG_SPANISH_DOMINICAN_REPUBLIC},
    {0x08, IDS_SUBLANG_SPANISH_VENEZUELA},
    {0x09, IDS_SUBLANG_SPANISH_COLOMBIA},
    {0x0A, IDS_SUBLANG_SPANISH_PERU},
    {0x0B, IDS_SUBLANG_SPANISH_ARGENTINA},
    {0x0C, IDS_SUBLANG_SPANISH_ECUADOR},
    {0x0D, IDS_SUBLANG_SPANISH_CHILE},
    {0x0E, IDS_SUBLANG_SPANISH_URUGUAY},
    {0x0F, IDS_SUBLANG_SPANISH_PARAGUAY},
    {0x10, IDS_SUBLANG_SPANISH_BOLIVIA},
    {0x11, IDS_SUBLANG_SPANISH_EL_SALVADOR},
    {0x12, IDS_SUBLANG_SPANISH_HONDURAS},
    {0x13, IDS_SUBLANG_SPANISH_NICARAGUA},
    {0x14, IDS_SUBLANG_SPANISH_PUERTO_RICO},
};
const SubName kFrenchSubs[] = {
    {0x02, IDS_SUBLANG_FRENCH_BELGIAN},
    {0x03, IDS_SUBLANG_FRENCH_CANADIAN},
    {0x04, IDS_SUBLANG_FRENCH_SWISS},
    {0x05, IDS_SUBLANG_FRENCH_LUXEMBOURG},
};
const SubName kItalianSubs[] = {
    {0x02, IDS_SUBLANG_ITALIAN_SWISS},
};
const SubName kDutchSubs[] = {
    {0x02, IDS_SUBLANG_DUTCH_BELGIAN},
};
const SubName kNorwegianSubs[] = {
    {0x02, IDS_SUBLANG_NORWEGIAN_NYNORSK},
};
const SubName kPortugueseSubs[] = {
    {0x01, IDS_SUBLANG_PORTUGUESE_BRAZILIAN},
};
const SubName kSerbianSubs[] = {
    {0x03, IDS_SUBLANG_SERBIAN_CYRILLIC},
};
const SubName kSwedishSubs[] = {
    {0x02, IDS_SUBLANG_SWEDISH_FINLAND},
};

const Language kLanguages[] = {
    {0x00, IDS_LANG_NEUTRAL, nullptr, 0, 0},
    {0x01, IDS_LANG_ARABIC, kArabicSubs, Count(kArabicSubs), IDS_SUBLANG_ARABIC_SAUDI_ARABIA},
    {0x02, IDS_LANG_BULGARIAN, nullptr, 0, 0},
    {0x03, IDS_LANG_CATALAN, nullptr, 0, 0},
    {0x04, IDS_LANG_CHINESE, kChineseSubs, Count(kChineseSubs), IDS_SUBLANG_CHINESE_TRADITIONAL},
    {0x05, IDS_LANG_CZECH, nullptr, 0, 0},
    {0x06, IDS_LANG_DANISH, nullptr, 0, 0},
    {0x07, IDS_LANG_GERMAN, kGermanSubs, Count(kGermanSubs), IDS_SUBLANG_GERMAN},
    {0x08, IDS_LANG_GREEK, nullptr, 0, 0},
    {0x09, IDS_LANG_ENGLISH, kEnglishSubs, Count(kEnglishSubs), IDS_SUBLANG_ENGLISH_US},
    {0x0A, IDS_LANG_SPANISH, kSpanishSubs, Count(kSpanishSubs), IDS_SUBLANG_SPANISH},
    {0x0B, IDS_LANG_FINNISH, nullptr, 0, 0},
    {0x0C, IDS_LANG_FRENCH, kFrenchSubs, Count(kFrenchSubs), IDS_SUBLANG_FRENCH},
    {0x0D, IDS_LANG_HEBREW, nullptr, 0, 0},
    {0x0E, IDS_LANG_HUNGARIAN, nullptr, 0, 0},
    {0x0F, IDS_LANG_ICELANDIC, nullptr, 0, 0},
    {0x10, IDS_LANG_ITALIAN, kItalianSubs, Count(kItalianSubs), IDS_SUBLANG_ITALIAN},
    {0x11, IDS_LANG_JAPANESE, nullptr, 0, 0},
    {0x12, IDS_LANG_KOREAN, nullptr, 0, IDS_SUBLANG_KOREAN},
    {0x13, IDS_LANG_DUTCH, kDutchSubs, Count(kDutchSubs), IDS_SUBLANG_DUTCH},
    {0x14, IDS_LANG_NORWEGIAN, kNorwegianSubs, Count(kNorwegianSubs), IDS_SUBLANG_NORWEGIAN_BOKMAL},
    {0x15, IDS_LANG_POLISH, nullptr, 0, 0},
    {0x16, IDS_LANG_PORTUGUESE, kPortugueseSubs, Count(kPortugueseSubs), IDS_SUBLANG_PORTUGUESE},
    {0x18, IDS_LANG_ROMANIAN, nullptr, 0, 0},
    {0x19, IDS_LANG_RUSSIAN, nullptr, 0, 0},
    {0x1A, IDS_LANG_SERBIAN, kSerbianSubs, Count(kSerbianSubs), IDS_SUBLANG_SERBIAN_LATIN},
    {0x1B, IDS_LANG_SLOVAK, nullptr, 0, 0},
    {0x1C, IDS_LANG_ALBANIAN, nullptr, 0, 0},
    {0x1D, IDS_LANG_SWEDISH, kSwedishSubs, Count(kSwedishSubs), IDS_SUBLANG_SWEDISH},
    {0x1E, IDS_LANG_THAI, nullptr, 0, 0},
    {0x1F, IDS_LANG_TURKISH, nullptr, 0, 0},
    {0x21, IDS_LANG_INDONESIAN, nullptr, 0, 0},
    {0x22, IDS_LANG_UKRAINIAN, nullptr, 0, 0},
    {0x23, IDS_LANG_BELARUSIAN, nullptr, 0, 0},
    {0x24, IDS_LANG_SLOVENIAN, nullptr, 0, 0},
    {0x25, IDS_LANG_ESTONIAN, nullptr, 0, 0},
    {0x26, IDS_LANG_LATVIAN, nullptr, 0, 0},
    {0x27, IDS_LANG_LITHUANIAN, nullptr, 0, 0},
    {0x29, IDS_LANG_FARSI, nullptr, 0, 0},
    {0x2A, IDS_LANG_VIETNAMESE, nullptr, 0, 0},
    {0x2D, IDS_LANG_BASQUE, nullptr, 0, 0},
    {0x36, IDS_LANG_AFRIKAANS, nullptr, 0, 0},
    {0x38, IDS_LANG_FAEROESE, nullptr, 0, 0},
};

const Language* FindLanguage(unsigned int primary) {
  for (const Language& language : kLanguages)
    if (language.primary == primary) return &language;
  return nullptr;
}

UINT SublanguageId(const Language& language, unsigned int sub) {
  for (size_t i = 0; i < language.subCount; ++i)
    if (language.subs[i].sub == sub) return language.subs[i].nameId;
  return language.otherSubId ? language.otherSubId : IDS_SUBLANG_DEFAULT;
}

}  // namespace

int PAGetLanguageNames(unsigned int languageId, CString& language, CString& sublanguage) {
  try {
    sublanguage.LoadString(IDS_SUBLANG_DEFAULT);
    // A LANGID is 16 bits: 10 for the primary language, 6 for the sublanguage.
    const unsigned int id = languageId & 0xFFFF;
    const Language* entry = FindLanguage(id & 0x3FF);
    if (!entry) return 0;
    language.LoadString(entry->nameId);
    sublanguage.LoadString(SublanguageId(*entry, id >> 10));
    return 1;
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}
