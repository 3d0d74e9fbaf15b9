// GetStringTypeExA: the character classes of code page 1252.
#include <windows.h>

#include <gtest/gtest.h>

#include "testsupport/platform.h"

namespace {

WORD TypeOf(char c) {
  WORD type = 0;
  EXPECT_TRUE(GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE1, &c, 1, &type));
  return type;
}

TEST(StringTypesTest, AsciiClasses) {
  EXPECT_EQ(C1_DIGIT | C1_XDIGIT | C1_DEFINED, TypeOf('7'));
  EXPECT_EQ(C1_UPPER | C1_ALPHA | C1_XDIGIT | C1_DEFINED, TypeOf('A'));
  EXPECT_EQ(C1_LOWER | C1_ALPHA | C1_DEFINED, TypeOf('z'));
  EXPECT_EQ(C1_PUNCT | C1_DEFINED, TypeOf('+'));
  EXPECT_EQ(C1_SPACE | C1_BLANK | C1_DEFINED, TypeOf(' '));
  EXPECT_EQ(C1_CNTRL | C1_SPACE | C1_BLANK | C1_DEFINED, TypeOf('\t'));
  EXPECT_EQ(C1_CNTRL | C1_DEFINED, TypeOf('\x01'));
}

TEST(StringTypesTest, CodePageClasses) {
  EXPECT_TRUE(TypeOf('\xB2') & C1_DIGIT);  // superscript two
  EXPECT_FALSE(TypeOf('\xBD') & C1_DIGIT);  // one half
  EXPECT_EQ(C1_UPPER | C1_ALPHA | C1_DEFINED, TypeOf('\xC9'));
  EXPECT_EQ(C1_LOWER | C1_ALPHA | C1_DEFINED, TypeOf('\xE9'));
  EXPECT_EQ(C1_PUNCT | C1_DEFINED, TypeOf('\xD7'));
  EXPECT_EQ(C1_UPPER | C1_ALPHA | C1_DEFINED, TypeOf('\x8A'));  // S with caron
  EXPECT_EQ(C1_SPACE | C1_BLANK | C1_DEFINED, TypeOf('\xA0'));
}

TEST(StringTypesTest, WholeTextWithItsTerminator) {
  WORD types[4] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
  ASSERT_TRUE(GetStringTypeExA(LOCALE_SYSTEM_DEFAULT, CT_CTYPE1, "1a", -1, types));
  EXPECT_TRUE(types[0] & C1_DIGIT);
  EXPECT_TRUE(types[1] & C1_ALPHA);
  EXPECT_EQ(C1_CNTRL | C1_DEFINED, types[2]);
  EXPECT_EQ(0xFFFF, types[3]);
}

// Layer rule: only CT_CTYPE1 is known, and a text of no characters or none at
// all is refused.
TEST(StringTypesTest, RefusedCalls) {
  if (testsupport::OnWindows()) GTEST_SKIP() << testsupport::kLayerRule;
  WORD type;
  EXPECT_FALSE(GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE2, "a", 1, &type));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_FLAGS), GetLastError());
  EXPECT_FALSE(GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE1, "a", 0, &type));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
  EXPECT_FALSE(GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE1, nullptr, 1, &type));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

}  // namespace
