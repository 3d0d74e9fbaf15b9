// Environment variables: names without regard to case, the Windows size
// rules, and %NAME% expansion.
#include <gtest/gtest.h>
#include <string.h>
#include <windows.h>

#include <string>

namespace {

class EnvironmentTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetEnvironmentVariableA("WinportTestVar", nullptr);
    SetEnvironmentVariableA("WINPORT_EMPTY", nullptr);
  }
  std::string Expand(const char* text) {
    char buffer[256];
    DWORD size = ExpandEnvironmentStringsA(text, buffer, sizeof buffer);
    EXPECT_EQ(strlen(buffer) + 1, size);
    return buffer;
  }
};

TEST_F(EnvironmentTest, VariablesByNameWithoutRegardToCase) {
  ASSERT_TRUE(SetEnvironmentVariableA("WinportTestVar", "value"));
  char buffer[16];
  EXPECT_EQ(5u, GetEnvironmentVariableA("WINPORTTESTVAR", buffer, sizeof buffer));
  EXPECT_STREQ("value", buffer);
  EXPECT_EQ(6u, GetEnvironmentVariableA("WinportTestVar", buffer, 5));  // too small: the size needed
  // Setting another case changes the existing variable.
  ASSERT_TRUE(SetEnvironmentVariableA("winporttestvar", "new"));
  EXPECT_EQ(3u, GetEnvironmentVariableA("WinportTestVar", buffer, sizeof buffer));
  EXPECT_STREQ("new", buffer);
  EXPECT_TRUE(SetEnvironmentVariableA("WINPORTTESTVAR", nullptr));
  EXPECT_EQ(0u, GetEnvironmentVariableA("WinportTestVar", buffer, sizeof buffer));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND), GetLastError());
  EXPECT_FALSE(SetEnvironmentVariableA("A=B", "x"));
  EXPECT_FALSE(SetEnvironmentVariableA("", "x"));
}

TEST_F(EnvironmentTest, ExpansionReplacesKnownNamesOnly) {
  SetEnvironmentVariableA("WinportTestVar", "C:\\Tools");
  SetEnvironmentVariableA("WINPORT_EMPTY", "");
  EXPECT_EQ("C:\\Tools\\bin", Expand("%winporttestvar%\\bin"));
  EXPECT_EQ("[]", Expand("[%WINPORT_EMPTY%]"));
  EXPECT_EQ("%NO_SUCH_WINPORT_VAR%x", Expand("%NO_SUCH_WINPORT_VAR%x"));
  EXPECT_EQ("100% sure", Expand("100% sure"));
  EXPECT_EQ("%%", Expand("%%"));
  EXPECT_EQ("%NOPE%C:\\Tools%", Expand("%NOPE%%WinportTestVar%%"));
  EXPECT_EQ("", Expand(""));
}

TEST_F(EnvironmentTest, ExpansionSizeRules) {
  SetEnvironmentVariableA("WinportTestVar", "0123456789");
  EXPECT_EQ(13u, ExpandEnvironmentStringsA("<%WinportTestVar%>", nullptr, 0));
  char small[5] = "zzzz";
  EXPECT_EQ(13u, ExpandEnvironmentStringsA("<%WinportTestVar%>", small, sizeof small));
  EXPECT_STREQ("<012", small);  // cut to fit, still terminated
  EXPECT_EQ(1u, ExpandEnvironmentStringsA(nullptr, small, sizeof small));  // no text is an empty one
  EXPECT_STREQ("", small);
}

}  // namespace
