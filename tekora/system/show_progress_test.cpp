// PAShowProgress: elapsed and projected time in the console title.
#include <string>

#include <tekora/tekora.h>
#include <gtest/gtest.h>
#include <testsupport/platform.h>

namespace {

// The title tests need a console to hold the title.
class ShowProgressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testsupport::HaveConsole()) GTEST_SKIP() << "no console here (Wine opens one only on a terminal)";
  }
};

// The title PAShowProgress sets when the run started `elapsed` seconds ago
// (tries again when the clock moves on during the call).
std::string TitleAfter(LONGLONG elapsed, int done, int total) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    const LONGLONG now = CTime::GetCurrentTime().GetTime();
    const LONGLONG start = now - elapsed;
    EXPECT_EQ(1, PAShowProgress(&start, done, total));
    if (CTime::GetCurrentTime().GetTime() != now) continue;
    char title[256];
    GetConsoleTitleA(title, sizeof title);
    return title;
  }
  ADD_FAILURE() << "the clock never stood still for a moment";
  return "";
}

TEST_F(ShowProgressTest, ElapsedProjectedAndCounts) {
  EXPECT_EQ("0:00:01:05  (0:00:10:50) [done: 6/60]", TitleAfter(65, 6, 60));
  EXPECT_EQ("0:00:01:05  (0:01:05:00) [done: 1/60]", TitleAfter(65, 1, 60));
  EXPECT_EQ("0:00:00:07  (0:00:00:17) [done: 2/5]", TitleAfter(7, 2, 5));  // 17.5 truncates
  EXPECT_EQ("1:01:01:01", TitleAfter(90061, 0, 0));
}

TEST_F(ShowProgressTest, OnlyElapsedTimeOutsideTheRun) {
  EXPECT_EQ("0:00:01:05", TitleAfter(65, 0, 60));
  EXPECT_EQ("0:00:01:05", TitleAfter(65, 60, 60));
  EXPECT_EQ("0:00:01:05", TitleAfter(65, 61, 60));
  EXPECT_EQ("0:00:01:05", TitleAfter(65, 6, 0));
  EXPECT_EQ("0:00:01:05", TitleAfter(65, -1, 60));
}

TEST_F(ShowProgressTest, NullStartLeavesTheTitle) {
  SetConsoleTitleA("kept");
  EXPECT_EQ(1, PAShowProgress(nullptr, 1, 2));
  char title[32];
  GetConsoleTitleA(title, sizeof title);
  EXPECT_STREQ("kept", title);
}

TEST(ShowProgressInputTest, AbsurdStartTimesDoNotCrash) {
  const LONGLONG farPast = -0x7FFFFFFFFFFFFFFFLL;
  EXPECT_EQ(1, PAShowProgress(&farPast, 1, 1000));
  const LONGLONG farFuture = 0x7FFFFFFFFFFFFFFFLL;
  EXPECT_EQ(1, PAShowProgress(&farFuture, 1, 1000));
}

TEST(CompilerGenerationTest, IsTwo) { EXPECT_EQ(2, PAGetCompilerGeneration()); }

}  // namespace
