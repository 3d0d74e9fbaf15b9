// GetDateFormatA and GetTimeFormatA against what Windows writes for the
// same locales, and the user's locale taken from the POSIX variables.
#include <stdlib.h>
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "testsupport/environment.h"
#include "testsupport/platform.h"

namespace {

using testsupport::SetEnv;
using testsupport::UnsetEnv;

// Wine's locale data are the Unicode consortium's, not Windows': other
// date pictures, era names and time markers.
const char kWineLocaleData[] = "Wine's locale data are not Windows' (docs/windows-build.md)";

const LCID kEnglishUS = 0x0409, kEnglishUK = 0x0809, kGerman = 0x0407, kSwissGerman = 0x0807,
           kAustrianGerman = 0x0C07, kFrench = 0x040C, kItalian = 0x0410, kSpanish = 0x0C0A, kDutch = 0x0413;

// Wednesday, 5 March 2025, 15:07:09.
SYSTEMTIME Afternoon() {
  SYSTEMTIME st = {};
  st.wYear = 2025;
  st.wMonth = 3;
  st.wDay = 5;
  st.wDayOfWeek = 6;  // wrong on purpose: the functions compute their own
  st.wHour = 15;
  st.wMinute = 7;
  st.wSecond = 9;
  return st;
}

// What a formatting call writes, checking the length it reports; "error N"
// when it fails.
using FormatCall = int(WINAPI*)(LCID, DWORD, const SYSTEMTIME*, LPCSTR, LPSTR, int);
std::string Formatted(FormatCall format, LCID lcid, DWORD flags, const SYSTEMTIME& st, const char* picture) {
  char buffer[260] = "unchanged";
  int n = format(lcid, flags, &st, picture, buffer, sizeof buffer);
  if (n == 0) return "error " + std::to_string(GetLastError());
  EXPECT_EQ(strlen(buffer) + 1, static_cast<size_t>(n));
  return buffer;
}

std::string Date(LCID lcid, DWORD flags, const SYSTEMTIME& st, const char* picture = nullptr) {
  return Formatted(GetDateFormatA, lcid, flags, st, picture);
}

std::string Time(LCID lcid, DWORD flags, const SYSTEMTIME& st, const char* picture = nullptr) {
  return Formatted(GetTimeFormatA, lcid, flags, st, picture);
}

TEST(DateFormat, LongDatesOfEveryLocale) {
  if (testsupport::RunningUnderWine()) GTEST_SKIP() << kWineLocaleData;
  const SYSTEMTIME st = Afternoon();
  EXPECT_EQ("Wednesday, March 5, 2025", Date(kEnglishUS, DATE_LONGDATE, st));
  EXPECT_EQ("05 March 2025", Date(kEnglishUK, DATE_LONGDATE, st));
  EXPECT_EQ("Mittwoch, 5. M\xE4rz 2025", Date(kGerman, DATE_LONGDATE, st));
  EXPECT_EQ("Mittwoch, 5. M\xE4rz 2025", Date(kSwissGerman, DATE_LONGDATE, st));
  EXPECT_EQ("mercredi 5 mars 2025", Date(kFrench, DATE_LONGDATE, st));
  EXPECT_EQ("mercoled\xEC 5 marzo 2025", Date(kItalian, DATE_LONGDATE, st));
  EXPECT_EQ("mi\xE9rcoles, 5 de marzo de 2025", Date(kSpanish, DATE_LONGDATE, st));
  EXPECT_EQ("woensdag 5 maart 2025", Date(kDutch, DATE_LONGDATE, st));
  SYSTEMTIME january = st;
  january.wMonth = 1;
  january.wDay = 2;
  EXPECT_EQ("Donnerstag, 02. J\xE4nner 2025", Date(kAustrianGerman, DATE_LONGDATE, january));
  EXPECT_EQ("Donnerstag, 2. Januar 2025", Date(kGerman, DATE_LONGDATE, january));
}

TEST(DateFormat, ShortDatesYearMonthAndPictures) {
  if (testsupport::RunningUnderWine()) GTEST_SKIP() << kWineLocaleData;
  const SYSTEMTIME st = Afternoon();
  EXPECT_EQ("3/5/2025", Date(kEnglishUS, 0, st));
  EXPECT_EQ("05.03.2025", Date(kGerman, DATE_SHORTDATE, st));
  EXPECT_EQ("5-3-2025", Date(kDutch, DATE_SHORTDATE, st));
  EXPECT_EQ("marzo de 2025", Date(kSpanish, DATE_YEARMONTH, st));
  EXPECT_EQ("Wed 05 Mar 25 3 day 5 it's", Date(kEnglishUS, 0, st, "ddd dd MMM yy M 'day' d 'it''s'"));
  EXPECT_EQ("2025", Date(kEnglishUS, 0, st, "ggyyyy"));
}

TEST(DateFormat, SizesAndErrors) {
  if (testsupport::RunningUnderWine()) GTEST_SKIP() << kWineLocaleData;
  const SYSTEMTIME st = Afternoon();
  EXPECT_EQ(25, GetDateFormatA(kEnglishUS, DATE_LONGDATE, &st, nullptr, nullptr, 0));
  char small[10] = "unchanged";
  EXPECT_EQ(0, GetDateFormatA(kEnglishUS, DATE_LONGDATE, &st, nullptr, small, sizeof small));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());

  EXPECT_EQ("error 1004", Date(kEnglishUS, DATE_LONGDATE | DATE_SHORTDATE, st));
  EXPECT_EQ("error 1004", Date(kEnglishUS, DATE_LONGDATE, st, "yyyy"));
  EXPECT_EQ("error 87", Date(0x0411, DATE_LONGDATE, st));  // a language the table lacks
  SYSTEMTIME bad = st;
  bad.wMonth = 2;
  bad.wDay = 29;
  EXPECT_EQ("error 87", Date(kEnglishUS, DATE_LONGDATE, bad));
  bad.wYear = 2024;
  EXPECT_EQ("Thursday, February 29, 2024", Date(kEnglishUS, DATE_LONGDATE, bad));
  bad.wMonth = 13;
  EXPECT_EQ("error 87", Date(kEnglishUS, DATE_LONGDATE, bad));
}

TEST(DateFormat, OtherSublanguagesFallBackToTheLanguage) {
  const SYSTEMTIME st = Afternoon();
  EXPECT_EQ("Mittwoch, 5. M\xE4rz 2025", Date(0x1007, DATE_LONGDATE, st));  // German, Luxembourg
  EXPECT_EQ("Mittwoch, 5. M\xE4rz 2025", Date(0x0007, DATE_LONGDATE, st));  // German, neutral
  EXPECT_EQ("Wednesday, 05 March 2025", Date(LOCALE_INVARIANT, DATE_LONGDATE, st));
}

TEST(TimeFormat, LocalesFlagsAndPictures) {
  if (testsupport::RunningUnderWine()) GTEST_SKIP() << kWineLocaleData;
  SYSTEMTIME st = Afternoon();
  EXPECT_EQ("3:07:09 PM", Time(kEnglishUS, 0, st));
  EXPECT_EQ("15:07:09", Time(kGerman, 0, st));
  EXPECT_EQ("15:07:09", Time(kEnglishUK, 0, st));
  EXPECT_EQ("3:07 PM", Time(kEnglishUS, TIME_NOSECONDS, st));
  EXPECT_EQ("3 PM", Time(kEnglishUS, TIME_NOMINUTESORSECONDS, st));
  EXPECT_EQ("3:07:09", Time(kEnglishUS, TIME_NOTIMEMARKER, st));
  EXPECT_EQ("15:07:09", Time(kEnglishUS, TIME_FORCE24HOURFORMAT, st));
  EXPECT_EQ("3:07:09", Time(kEnglishUS, TIME_NOTIMEMARKER, st, "tt h:mm:ss"));
  EXPECT_EQ("15 Uhr 07", Time(kGerman, 0, st, "HH 'Uhr' mm"));

  st.wHour = 0;
  EXPECT_EQ("12:07:09 AM", Time(kEnglishUS, 0, st));
  EXPECT_EQ("0:07:09", Time(kSpanish, 0, st));
  EXPECT_EQ("A 00", Time(kEnglishUS, 0, st, "t HH"));
  st.wHour = 24;
  EXPECT_EQ("error 87", Time(kEnglishUS, 0, st));
  EXPECT_EQ(0, GetTimeFormatA(kEnglishUS, 0, &st, "HH", nullptr, 0));
}

TEST(DateTimeFormat, NullMomentMeansNow) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char expected[32], actual[32];
  ASSERT_NE(0, GetDateFormatA(kEnglishUS, 0, nullptr, "yyyy", actual, sizeof actual));
  snprintf(expected, sizeof expected, "%d", now.wYear);
  EXPECT_STREQ(expected, actual);  // wrong only at the stroke of a new year
  EXPECT_NE(0, GetTimeFormatA(kEnglishUS, 0, nullptr, nullptr, actual, sizeof actual));
}

// Layer rule: the user's locale comes from the POSIX locale variables.
class UserLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    if (testsupport::OnWindows()) GTEST_SKIP() << testsupport::kLayerRule;
    for (const char* name : kNames) {
      const char* value = getenv(name);
      saved_.push_back(value ? std::string(value) : std::string("\x01"));
      UnsetEnv(name);
    }
  }
  void TearDown() override {
    for (size_t i = 0; i < saved_.size(); ++i) {
      if (saved_[i] == "\x01") UnsetEnv(kNames[i]);
      else SetEnv(kNames[i], saved_[i]);
    }
  }
  static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::vector<std::string> saved_;
};

TEST_F(UserLocale, ComesFromTheLocaleVariablesInOrder) {
  EXPECT_EQ(kEnglishUS, GetUserDefaultLCID());
  SetEnv("LANG", "de_CH.UTF-8");
  EXPECT_EQ(kSwissGerman, GetUserDefaultLCID());
  SetEnv("LC_MESSAGES", "fr_FR");
  EXPECT_EQ(kFrench, GetUserDefaultLCID());
  SetEnv("LC_ALL", "de_AT@euro");
  EXPECT_EQ(kAustrianGerman, GetUserDefaultLCID());
  EXPECT_EQ(0x0C07, GetUserDefaultLangID());
  SetEnv("LC_ALL", "");  // empty counts as unset
  EXPECT_EQ(kFrench, GetUserDefaultLCID());
}

TEST_F(UserLocale, LanguageAloneAndUnknownNames) {
  SetEnv("LANG", "es");
  EXPECT_EQ(kSpanish, GetUserDefaultLCID());
  SetEnv("LANG", "de_LU.UTF-8");  // a region the table lacks: the language's first
  EXPECT_EQ(kGerman, GetUserDefaultLCID());
  SetEnv("LANG", "en-gb");
  EXPECT_EQ(kEnglishUK, GetUserDefaultLCID());
  SetEnv("LANG", "C.UTF-8");
  EXPECT_EQ(kEnglishUS, GetUserDefaultLCID());
  SetEnv("LANG", "ja_JP");
  EXPECT_EQ(kEnglishUS, GetUserDefaultLCID());
}

TEST_F(UserLocale, DefaultLocaleFormatsInTheUsersLanguage) {
  const SYSTEMTIME st = Afternoon();
  SetEnv("LANG", "nl_NL.UTF-8");
  EXPECT_EQ("woensdag 5 maart 2025", Date(LOCALE_USER_DEFAULT, DATE_LONGDATE, st));
  EXPECT_EQ("15:07:09", Time(LOCALE_USER_DEFAULT, 0, st));
  SetEnv("LANG", "en_US.UTF-8");
  EXPECT_EQ("Wednesday, March 5, 2025", Date(LOCALE_SYSTEM_DEFAULT, DATE_LONGDATE, st));
  EXPECT_EQ("3:07:09 PM", Time(LOCALE_USER_DEFAULT, 0, st));
}

}  // namespace
