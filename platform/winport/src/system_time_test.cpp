// GetLocalTime, GetSystemTime and Sleep.
#include <time.h>
#include <windows.h>

#include <chrono>

#include <gtest/gtest.h>

namespace {

// Compares the call's answer with the C runtime's broken-down time of the
// same second (tries again when a second passes in between).
void ExpectCurrentMoment(bool local) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    time_t before = time(nullptr);
    SYSTEMTIME st;
    if (local) GetLocalTime(&st);
    else GetSystemTime(&st);
    if (time(nullptr) != before) continue;
    const struct tm expected = *(local ? localtime(&before) : gmtime(&before));
    EXPECT_EQ(expected.tm_year + 1900, st.wYear);
    EXPECT_EQ(expected.tm_mon + 1, st.wMonth);
    EXPECT_EQ(expected.tm_mday, st.wDay);
    EXPECT_EQ(expected.tm_wday, st.wDayOfWeek);
    EXPECT_EQ(expected.tm_hour, st.wHour);
    EXPECT_EQ(expected.tm_min, st.wMinute);
    EXPECT_EQ(expected.tm_sec, st.wSecond);
    EXPECT_LT(st.wMilliseconds, 1000);
    return;
  }
  FAIL() << "the clock never stood still for a moment";
}

TEST(SystemTime, LocalAndUtcAreTheCurrentMoment) {
  ExpectCurrentMoment(true);
  ExpectCurrentMoment(false);
}

TEST(SystemTime, SleepWaitsAtLeastTheTimeAsked) {
  const auto start = std::chrono::steady_clock::now();
  Sleep(30);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
  Sleep(0);
}

}  // namespace
