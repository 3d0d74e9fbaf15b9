// PAGetLanguageNames: every language of the table, with sublanguages inside
// and outside its list.
#include <string>
#include <vector>

#include <tekora/tekora.h>
#include <gtest/gtest.h>

namespace {

struct Named {
  unsigned int sub;
  const char* name;
};

struct LanguageCase {
  unsigned int primary;
  const char* language;
  const char* otherSublanguage;  // the name of a sublanguage outside the list
  std::vector<Named> sublanguages;
};

const LanguageCase kTable[] = {
    {0x00, "LANG_NEUTRAL", "SUBLANG_DEFAULT", {}},
    {0x01, "LANG_ARABIC", "SUBLANG_ARABIC_SAUDI_ARABIA", {{0x02, "SUBLANG_ARABIC_IRAQ"}, {0x03, "SUBLANG_ARABIC_EGYPT"}, {0x04, "SUBLANG_ARABIC_LIBYA"}, {0x05, "SUBLANG_ARABIC_ALGERIA"}, {0x06, "SUBLANG_ARABIC_MOROCCO"}, {0x07, "SUBLANG_ARABIC_TUNISIA"}, {0x08, "SUBLANG_ARABIC_OMAN"}, {0x09, "SUBLANG_ARABIC_YEMEN"}, {0x0A, "SUBLANG_ARABIC_SYRIA"}, {0x0B, "SUBLANG_ARABIC_JORDAN"}, {0x0C, "SUBLANG_ARABIC_LEBANON"}, {0x0D, "SUBLANG_ARABIC_KUWAIT"}, {0x0E, "SUBLANG_ARABIC_UAE"}, {0x0F, "SUBLANG_ARABIC_BAHRAIN"}, {0x10, "SUBLANG_ARABIC_QATAR"}}},
    {0x02, "LANG_BULGARIAN", "SUBLANG_DEFAULT", {}},
    {0x03, "LANG_CATALAN", "SUBLANG_DEFAULT", {}},
    {0x04, "LANG_CHINESE", "SUBLANG_CHINESE_TRADITIONAL", {{0x02, "SUBLANG_CHINESE_SIMPLIFIED"}, {0x03, "SUBLANG_CHINESE_HONGKONG"}, {0x04, "SUBLANG_CHINESE_SINGAPORE"}}},
    {0x05, "LANG_CZECH", "SUBLANG_DEFAULT", {}},
    {0x06, "LANG_DANISH", "SUBLANG_DEFAULT", {}},
    {0x07, "LANG_GERMAN", "SUBLANG_GERMAN", {{0x02, "SUBLANG_GERMAN_SWISS"}, {0x03, "SUBLANG_GERMAN_AUSTRIAN"}, {0x04, "SUBLANG_GERMAN_LUXEMBOURG"}, {0x05, "SUBLANG_GERMAN_LIECHTENSTEIN"}}},
    {0x08, "LANG_GREEK", "SUBLANG_DEFAULT", {}},
    {0x09, "LANG_ENGLISH", "SUBLANG_ENGLISH_US", {{0x02, "SUBLANG_ENGLISH_UK"}, {0x03, "SUBLANG_ENGLISH_AUS"}, {0x04, "SUBLANG_ENGLISH_CAN"}, {0x05, "SUBLANG_ENGLISH_NZ"}, {0x06, "SUBLANG_ENGLISH_EIRE"}, {0x07, "SUBLANG_ENGLISH_SOUTH_AFRICA"}, {0x08, "SUBLANG_ENGLISH_JAMAICA"}, {0x09, "SUBLANG_ENGLISH_CARIBBEAN"}, {0x0A, "SUBLANG_ENGLISH_BELIZE"}, {0x0B, "SUBLANG_ENGLISH_TRINIDAD"}}},
    {0x0A, "LANG_SPANISH", "SUBLANG_SPANISH", {{0x02, "SUBLANG_SPANISH_MEXICAN"}, {0x03, "SUBLANG_SPANISH_MODERN"}, {0x04, "SUBLANG_SPANISH_GUATEMALA"}, {0x05, "SUBLANG_SPANISH_COSTA_RICA"}, {0x06, "SUBLANG_SPANISH_PANAMA"}, {0x07, "SUBLANG_SPANISH_DOMINICAN_REPUBLIC"}, {0x08, "SUBLANG_SPANISH_VENEZUELA"}, {0x09, "SUBLANG_SPANISH_COLOMBIA"}, {0x0A, "SUBLANG_SPANISH_PERU"}, {0x0B, "SUBLANG_SPANISH_ARGENTINA"}, {0x0C, "SUBLANG_SPANISH_ECUADOR"}, {0x0D, "SUBLANG_SPANISH_CHILE"}, {0x0E, "SUBLANG_SPANISH_URUGUAY"}, {0x0F, "SUBLANG_SPANISH_PARAGUAY"}, {0x10, "SUBLANG_SPANISH_BOLIVIA"}, {0x11, "SUBLANG_SPANISH_EL_SALVADOR"}, {0x12, "SUBLANG_SPANISH_HONDURAS"}, {0x13, "SUBLANG_SPANISH_NICARAGUA"}, {0x14, "SUBLANG_SPANISH_PUERTO_RICO"}}},
    {0x0B, "LANG_FINNISH", "SUBLANG_DEFAULT", {}},
    {0x0C, "LANG_FRENCH", "SUBLANG_FRENCH", {{0x02, "SUBLANG_FRENCH_BELGIAN"}, {0x03, "SUBLANG_FRENCH_CANADIAN"}, {0x04, "SUBLANG_FRENCH_SWISS"}, {0x05, "SUBLANG_FRENCH_LUXEMBOURG"}}},
    {0x0D, "LANG_HEBREW", "SUBLANG_DEFAULT", {}},
    {0x0E, "LANG_HUNGARIAN", "SUBLANG_DEFAULT", {}},
    {0x0F, "LANG_ICELANDIC", "SUBLANG_DEFAULT", {}},
    {0x10, "LANG_ITALIAN", "SUBLANG_ITALIAN", {{0x02, "SUBLANG_ITALIAN_SWISS"}}},
    {0x11, "LANG_JAPANESE", "SUBLANG_DEFAULT", {}},
    {0x12, "LANG_KOREAN", "SUBLANG_KOREAN", {}},
    {0x13, "LANG_DUTCH", "SUBLANG_DUTCH", {{0x02, "SUBLANG_DUTCH_BELGIAN"}}},
    {0x14, "LANG_NORWEGIAN", "SUBLANG_NORWEGIAN_BOKMAL", {{0x02, "SUBLANG_NORWEGIAN_NYNORSK"}}},
    {0x15, "LANG_POLISH", "SUBLANG_DEFAULT", {}},
    {0x16, "LANG_PORTUGUESE", "SUBLANG_PORTUGUESE", {{0x01, "SUBLANG_PORTUGUESE_BRAZILIAN"}}},
    {0x18, "LANG_ROMANIAN", "SUBLANG_DEFAULT", {}},
    {0x19, "LANG_RUSSIAN", "SUBLANG_DEFAULT", {}},
    {0x1A, "LANG_SERBIAN", "SUBLANG_SERBIAN_LATIN", {{0x03, "SUBLANG_SERBIAN_CYRILLIC"}}},
    {0x1B, "LANG_SLOVAK", "SUBLANG_DEFAULT", {}},
    {0x1C, "LANG_ALBANIAN", "SUBLANG_DEFAULT", {}},
    {0x1D, "LANG_SWEDISH", "SUBLANG_SWEDISH", {{0x02, "SUBLANG_SWEDISH_FINLAND"}}},
    {0x1E, "LANG_THAI", "SUBLANG_DEFAULT", {}},
    {0x1F, "LANG_TURKISH", "SUBLANG_DEFAULT", {}},
    {0x21, "LANG_INDONESIAN", "SUBLANG_DEFAULT", {}},
    {0x22, "LANG_UKRAINIAN", "SUBLANG_DEFAULT", {}},
    {0x23, "LANG_BELARUSIAN", "SUBLANG_DEFAULT", {}},
    {0x24, "LANG_SLOVENIAN", "SUBLANG_DEFAULT", {}},
    {0x25, "LANG_ESTONIAN", "SUBLANG_DEFAULT", {}},
    {0x26, "LANG_LATVIAN", "SUBLANG_DEFAULT", {}},
    {0x27, "LANG_LITHUANIAN", "SUBLANG_DEFAULT", {}},
    {0x29, "LANG_FARSI", "SUBLANG_DEFAULT", {}},
    {0x2A, "LANG_VIETNAMESE", "SUBLANG_DEFAULT", {}},
    {0x2D, "LANG_BASQUE", "SUBLANG_DEFAULT", {}},
    {0x36, "LANG_AFRIKAANS", "SUBLANG_DEFAULT", {}},
    {0x38, "LANG_FAEROESE", "SUBLANG_DEFAULT", {}},
};

struct Names {
  int result;
  std::string language;
  std::string sublanguage;
};

Names Lookup(unsigned int id) {
  CString language = "unchanged", sublanguage = "unchanged";
  int result = PAGetLanguageNames(id, language, sublanguage);
  return {result, std::string(language), std::string(sublanguage)};
}

TEST(LanguageNamesTest, EveryLanguageWithSublanguagesInsideAndOutsideItsList) {
  for (const LanguageCase& entry : kTable) {
    for (unsigned int outside : {0u, 0x3Fu}) {
      Names names = Lookup(outside << 10 | entry.primary);
      EXPECT_EQ(1, names.result) << entry.language;
      EXPECT_EQ(entry.language, names.language);
      EXPECT_EQ(entry.otherSublanguage, names.sublanguage) << entry.language << " sub " << outside;
    }
    for (const Named& sub : entry.sublanguages) {
      Names names = Lookup(sub.sub << 10 | entry.primary);
      EXPECT_EQ(entry.language, names.language);
      EXPECT_EQ(sub.name, names.sublanguage) << entry.language << " sub " << sub.sub;
    }
  }
}

TEST(LanguageNamesTest, TheExamples) {
  EXPECT_EQ("SUBLANG_GERMAN", Lookup(0x0407).sublanguage);
  EXPECT_EQ("SUBLANG_GERMAN_SWISS", Lookup(0x0807).sublanguage);
  EXPECT_EQ("SUBLANG_ENGLISH_US", Lookup(0x0409).sublanguage);
  EXPECT_EQ("SUBLANG_ENGLISH_US", Lookup(0x3009).sublanguage);
  EXPECT_EQ("SUBLANG_PORTUGUESE_BRAZILIAN", Lookup(0x0416).sublanguage);
  EXPECT_EQ("SUBLANG_PORTUGUESE", Lookup(0x0816).sublanguage);
  EXPECT_EQ("SUBLANG_SERBIAN_CYRILLIC", Lookup(0x0C1A).sublanguage);
  EXPECT_EQ("SUBLANG_SERBIAN_LATIN", Lookup(0x041A).sublanguage);
  EXPECT_EQ("LANG_JAPANESE", Lookup(0x0411).language);
  EXPECT_EQ("SUBLANG_DEFAULT", Lookup(0x0411).sublanguage);
  EXPECT_EQ("LANG_NEUTRAL", Lookup(0x0000).language);
  EXPECT_EQ("SUBLANG_KOREAN", Lookup(0x0812).sublanguage);
}

TEST(LanguageNamesTest, UnlistedLanguagesLeaveTheLanguageName) {
  unsigned int listed = 0;
  for (unsigned int primary = 0; primary < 0x400; ++primary) {
    bool inTable = false;
    for (const LanguageCase& entry : kTable) inTable = inTable || entry.primary == primary;
    listed += inTable;
    if (inTable) continue;
    Names names = Lookup(0x0400 | primary);
    EXPECT_EQ(0, names.result) << primary;
    EXPECT_EQ("unchanged", names.language);
    EXPECT_EQ("SUBLANG_DEFAULT", names.sublanguage);
  }
  EXPECT_EQ(43u, listed);
}

TEST(LanguageNamesTest, NamesAreStringTableTextsUnderTheirNumbers) {
  CString text;
  ASSERT_TRUE(text.LoadString(1141));
  EXPECT_STREQ("SUBLANG_DEFAULT", text);
  for (UINT id = 1076; id <= 1118; ++id) {
    ASSERT_TRUE(text.LoadString(id)) << id;
    EXPECT_EQ(0, text.Find("LANG_")) << id;
  }
  for (UINT id = 1121; id <= 1195; ++id) {
    ASSERT_TRUE(text.LoadString(id)) << id;
    EXPECT_EQ(0, text.Find("SUBLANG_")) << id;
  }
}

TEST(LanguageNamesTest, OnlyTheLow16BitsCount) {
  Names names = Lookup(0xFFFF0000u | 0x0807);
  EXPECT_EQ("LANG_GERMAN", names.language);
  EXPECT_EQ("SUBLANG_GERMAN_SWISS", names.sublanguage);
}

}  // namespace
