// PAFormatDateTime and PAFormatNow: moments as text in the user's locale.
#include <string>

#include <tekora/tekora.h>
#include <gtest/gtest.h>

namespace {

// Wednesday, 5 March 2025, 15:07:09.
SYSTEMTIME Afternoon() {
  SYSTEMTIME st = {};
  st.wYear = 2025;
  st.wMonth = 3;
  st.wDay = 5;
  st.wDayOfWeek = 3;
  st.wHour = 15;
  st.wMinute = 7;
  st.wSecond = 9;
  return st;
}

std::string SystemDate(const SYSTEMTIME& st) {
  char text[MAX_PATH];
  EXPECT_NE(0, GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, text, MAX_PATH));
  return text;
}

std::string SystemTime(const SYSTEMTIME& st) {
  char text[MAX_PATH];
  EXPECT_NE(0, GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, text, MAX_PATH));
  return text;
}

TEST(FormatDateTimeTest, DateAndTimeJoinedByOneBlankThatIsAlwaysThere) {
  const SYSTEMTIME st = Afternoon();
  CString text;
  EXPECT_EQ(1, PAFormatDateTime(text, &st, 1, 1));
  EXPECT_EQ(SystemDate(st) + " " + SystemTime(st), std::string(text));
  EXPECT_EQ(1, PAFormatDateTime(text, &st, 1, 0));
  EXPECT_EQ(SystemDate(st) + " ", std::string(text));
  EXPECT_EQ(1, PAFormatDateTime(text, &st, 0, 1));
  EXPECT_EQ(" " + SystemTime(st), std::string(text));
  EXPECT_EQ(1, PAFormatDateTime(text, &st, 0, 0));
  EXPECT_EQ(" ", std::string(text));
}

TEST(FormatDateTimeTest, InvalidMomentFailsAndKeepsTheText) {
  SYSTEMTIME st = Afternoon();
  st.wMonth = 13;
  CString text = "kept";
  EXPECT_EQ(0, PAFormatDateTime(text, &st, 1, 1));
  EXPECT_STREQ("kept", text);
  st = Afternoon();
  st.wHour = 25;
  EXPECT_EQ(0, PAFormatDateTime(text, &st, 0, 1));
  EXPECT_STREQ("kept", text);
  EXPECT_EQ(1, PAFormatDateTime(text, &st, 1, 0));  // the time is not asked for
}

TEST(FormatDateTimeTest, NowWithTimeOnly) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    CString text = "old";
    EXPECT_EQ(1, PAFormatNow(text, 0, 1));
    GetLocalTime(&after);
    if (before.wSecond != after.wSecond) continue;  // the second changed in between
    EXPECT_EQ(" " + SystemTime(before), std::string(text));
    return;
  }
  FAIL() << "the clock never stood still for a moment";
}

// Switches the user's locale through the environment for one test, where
// the system takes the user's locale from there.
class UserLocaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char value[256];
    DWORD n = GetEnvironmentVariableA("LC_ALL", value, sizeof value);
    m_bHadValue = n > 0 && n < sizeof value;
    if (m_bHadValue) m_strSaved = value;
  }
  void TearDown() override { SetEnvironmentVariableA("LC_ALL", m_bHadValue ? m_strSaved.c_str() : nullptr); }
  bool Switch(LPCSTR posixName, LCID expected) {
    SetEnvironmentVariableA("LC_ALL", posixName);
    return GetUserDefaultLCID() == expected;
  }
  bool m_bHadValue = false;
  std::string m_strSaved;
};

TEST_F(UserLocaleTest, DatesAndTimesUnderTwoLocales) {
  const SYSTEMTIME st = Afternoon();
  if (!Switch("de_DE.UTF-8", 0x0407)) GTEST_SKIP() << "the user's locale does not follow LC_ALL here";
  CString text;
  EXPECT_EQ(1, PAFormatDateTime(text, &st, 1, 1));
  EXPECT_STREQ("Mittwoch, 5. M\xE4rz 2025 15:07:09", text);
  ASSERT_TRUE(Switch("en_US.UTF-8", 0x0409));
  EXPECT_EQ(1, PAFormatDateTime(text, &st, 1, 1));
  EXPECT_STREQ("Wednesday, March 5, 2025 3:07:09 PM", text);
}

}  // namespace
