// File times: FILETIME and SYSTEMTIME, and UTC and local file times.
#include <stdint.h>
#include <time.h>
#include <windows.h>

#include <memory>

#include <gtest/gtest.h>

#include "testsupport/environment.h"
#include "testsupport/platform.h"

namespace {

const int64_t kTicksPerMinute = 600000000LL;
const int64_t kTicksPerDay = 24 * 60 * kTicksPerMinute;

int64_t Ticks(const FILETIME& time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

FILETIME FromTicks(int64_t ticks) {
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(ticks);
  time.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32);
  return time;
}

FILETIME Now() {
  SYSTEMTIME st;
  GetSystemTime(&st);
  FILETIME now;
  EXPECT_TRUE(SystemTimeToFileTime(&st, &now));
  return now;
}

// The local time minus UTC, in whole minutes, as the clock shows them now.
int64_t ClockOffsetMinutes() {
  SYSTEMTIME local, utc;
  GetLocalTime(&local);
  GetSystemTime(&utc);
  FILETIME localTime, utcTime;
  SystemTimeToFileTime(&local, &localTime);
  SystemTimeToFileTime(&utc, &utcTime);
  const int64_t difference = Ticks(localTime) - Ticks(utcTime);
  return (difference + (difference >= 0 ? 1 : -1) * kTicksPerMinute / 2) / kTicksPerMinute;
}

int64_t LocalOffsetMinutesOf(int64_t utcTicks) {
  FILETIME local;
  const FILETIME utc = FromTicks(utcTicks);
  EXPECT_TRUE(FileTimeToLocalFileTime(&utc, &local));
  FILETIME back;
  EXPECT_TRUE(LocalFileTimeToFileTime(&local, &back));
  EXPECT_EQ(utcTicks, Ticks(back));
  return (Ticks(local) - utcTicks) / kTicksPerMinute;
}

TEST(FileTime, SystemTimesAndFileTimesMatch) {
  SYSTEMTIME st = {2024, 2, 0, 29, 23, 59, 58, 999};
  FILETIME ft;
  ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
  SYSTEMTIME back;
  ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
  EXPECT_EQ(2024, back.wYear);
  EXPECT_EQ(2, back.wMonth);
  EXPECT_EQ(29, back.wDay);
  EXPECT_EQ(4, back.wDayOfWeek);  // a Thursday
  EXPECT_EQ(23, back.wHour);
  EXPECT_EQ(59, back.wMinute);
  EXPECT_EQ(58, back.wSecond);
  EXPECT_EQ(999, back.wMilliseconds);

  SYSTEMTIME epoch = {1601, 1, 0, 1, 0, 0, 0, 0};
  ASSERT_TRUE(SystemTimeToFileTime(&epoch, &ft));
  EXPECT_EQ(0, Ticks(ft));

  SYSTEMTIME february30 = {2024, 2, 0, 30, 0, 0, 0, 0};
  EXPECT_FALSE(SystemTimeToFileTime(&february30, &ft));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

// Windows turns file times into local time with the bias in force now, also
// for a time of the other half of the year: a file written in summer shows
// an hour off in winter.
TEST(FileTime, LocalFileTimesUseTheBiasInForceNow) {
  std::unique_ptr<testsupport::ScopedEnv> zone;
  if (!testsupport::OnWindows()) {
    // A zone with daylight saving time, so that half a year ago had another offset.
    zone.reset(new testsupport::ScopedEnv("TZ", "Europe/Berlin"));
    tzset();
  }
  const int64_t now = Ticks(Now());
  const int64_t offset = ClockOffsetMinutes();
  EXPECT_EQ(offset, LocalOffsetMinutesOf(now));
  EXPECT_EQ(offset, LocalOffsetMinutesOf(now - 182 * kTicksPerDay));
  EXPECT_EQ(offset, LocalOffsetMinutesOf(now + 182 * kTicksPerDay));
  if (!testsupport::OnWindows()) {
    EXPECT_TRUE(offset == 60 || offset == 120);
    zone.reset();
    tzset();
  }
}

}  // namespace
