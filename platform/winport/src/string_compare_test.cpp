// lstrcmpiA: the order in which Windows sorts names without regard to case.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "testsupport/platform.h"

namespace {

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
  return names;
}

TEST(StringCompareTest, CaseDoesNotCount) {
  EXPECT_EQ(0, lstrcmpiA("Project_Paths", "PROJECT_PATHS"));
  EXPECT_EQ(0, lstrcmpiA("\xC4rger", "\xE4RGER"));  // Ä and ä
  EXPECT_EQ(-1, lstrcmpiA("alpha", "Beta"));
  EXPECT_EQ(1, lstrcmpiA("beta", "ALPHA"));
  EXPECT_EQ(-1, lstrcmpiA("ab", "ABC"));
  EXPECT_EQ(0, lstrcmpiA("", ""));
}

TEST(StringCompareTest, NullSortsFirst) {
  EXPECT_EQ(0, lstrcmpiA(nullptr, nullptr));
  EXPECT_EQ(-1, lstrcmpiA(nullptr, ""));
  EXPECT_EQ(1, lstrcmpiA("", nullptr));
}

TEST(StringCompareTest, SymbolsBeforeDigitsBeforeLetters) {
  // Byte order would put "_" after "Z" and "{" after every letter.
  EXPECT_EQ((std::vector<std::string>{"A_B", "A{", "A1", "AB"}), Sorted({"AB", "A1", "A{", "A_B"}));
  EXPECT_EQ((std::vector<std::string>{"a b", "a!", "a+", "a0", "aa"}), Sorted({"aa", "a0", "a+", "a!", "a b"}));
  EXPECT_LT(lstrcmpiA("RUN_STATS", "RUNNER"), 0);
}

TEST(StringCompareTest, HyphenAndApostropheCountLast) {
  EXPECT_EQ((std::vector<std::string>{"coop", "co-op", "cop"}), Sorted({"cop", "co-op", "coop"}));
  EXPECT_LT(lstrcmpiA("ab", "a-z"), 0);
  EXPECT_LT(lstrcmpiA("cant", "can't"), 0);
  EXPECT_NE(0, lstrcmpiA("co-op", "coop"));
}

TEST(StringCompareTest, AccentsSortWithTheirLetter) {
  EXPECT_EQ((std::vector<std::string>{"cote", "c\xF4te", "cotes"}), Sorted({"cotes", "c\xF4te", "cote"}));
  EXPECT_LT(lstrcmpiA("\xE9t\xE9", "f"), 0);  // été before f
  EXPECT_LT(lstrcmpiA("e", "\xE9"), 0);
  EXPECT_EQ(0, lstrcmpiA("Stra\xDF" "e", "STRASSE"));  // ß is ss
  EXPECT_EQ(0, lstrcmpiA("\xC6sop", "aesop"));      // Æ is ae
  // Thorn after z (Wine puts it before).
  if (!testsupport::RunningUnderWine()) {
    EXPECT_GT(lstrcmpiA("\xFE", "z"), 0);
  }
}

// Control characters are ignorable in Windows' sort table (Wine counts them).
TEST(StringCompareTest, ControlCharactersCountForNothing) {
  if (testsupport::RunningUnderWine()) GTEST_SKIP() << "Wine counts control characters (docs/windows-build.md)";
  EXPECT_EQ(0, lstrcmpiA("a\x01" "b", "ab"));
  EXPECT_EQ(0, lstrcmpiA("\x7F", ""));
}

TEST(StringCompareTest, EveryCodeHasAPlaceAndTheOrderIsConsistent) {
  std::vector<std::string> all;
  for (int c = 1; c < 256; ++c) all.push_back(std::string(1, static_cast<char>(c)) + "x");
  std::vector<std::string> sorted = Sorted(all);
  for (size_t i = 1; i < sorted.size(); ++i) {
    EXPECT_LE(lstrcmpiA(sorted[i - 1].c_str(), sorted[i].c_str()), 0) << i;
    EXPECT_GE(lstrcmpiA(sorted[i].c_str(), sorted[i - 1].c_str()), 0) << i;
  }
}

}  // namespace
