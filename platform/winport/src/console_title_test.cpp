// GetConsoleTitleA: the title this process last set.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "testsupport/platform.h"

namespace {

TEST(ConsoleTitle, ReadsBackWhatWasSetAndCutsToTheBuffer) {
  if (!testsupport::HaveConsole()) GTEST_SKIP() << "no console here (Wine opens one only on a terminal)";
  ASSERT_TRUE(SetConsoleTitleA("0:00:01:05 [done: 6/60]"));
  char buffer[64];
  EXPECT_EQ(23u, GetConsoleTitleA(buffer, sizeof buffer));
  EXPECT_STREQ("0:00:01:05 [done: 6/60]", buffer);
  char small[5];
  EXPECT_EQ(23u, GetConsoleTitleA(small, sizeof small));
  EXPECT_STREQ("0:00", small);
  ASSERT_TRUE(SetConsoleTitleA(nullptr));
  EXPECT_EQ(0u, GetConsoleTitleA(buffer, sizeof buffer));
  EXPECT_STREQ("", buffer);
}

}  // namespace
