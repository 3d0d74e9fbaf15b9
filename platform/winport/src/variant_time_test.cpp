// SystemTimeToVariantTime and VariantTimeToSystemTime, as Windows converts.
#include <windows.h>
// <oleauto.h> needs <windows.h> first, as on Windows.
#include <oleauto.h>

#include <gtest/gtest.h>

namespace {

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0,
                WORD milliseconds = 0) {
  SYSTEMTIME st = {};
  st.wYear = year;
  st.wMonth = month;
  st.wDay = day;
  st.wHour = hour;
  st.wMinute = minute;
  st.wSecond = second;
  st.wMilliseconds = milliseconds;
  return st;
}

// The variant date of a time, or -99 when the call refuses it.
double Variant(SYSTEMTIME st) {
  double date = -99;
  return SystemTimeToVariantTime(&st, &date) ? date : -99;
}

// The time of a variant date as "yyyy-mm-dd hh:mm:ss.mmm/weekday", or "refused".
std::string Text(double date) {
  SYSTEMTIME st = {};
  if (!VariantTimeToSystemTime(date, &st)) return "refused";
  char text[64];
  snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u/%u", st.wYear, st.wMonth, st.wDay,
           st.wHour, st.wMinute, st.wSecond, st.wMilliseconds, st.wDayOfWeek);
  return text;
}

TEST(VariantTime, DaysCountFrom1899December30WithTheTimeAsFraction) {
  EXPECT_DOUBLE_EQ(0.0, Variant(Time(1899, 12, 30)));
  EXPECT_DOUBLE_EQ(36526.5, Variant(Time(2000, 1, 1, 12)));
  EXPECT_DOUBLE_EQ(2958465.0 + 86399.0 / 86400, Variant(Time(9999, 12, 31, 23, 59, 59)));
  EXPECT_DOUBLE_EQ(-657434.0, Variant(Time(100, 1, 1)));
  // Before day 0 the time of day is a positive fraction that counts away from zero.
  EXPECT_DOUBLE_EQ(-1.25, Variant(Time(1899, 12, 29, 6)));
  EXPECT_DOUBLE_EQ(-36522.75, Variant(Time(1800, 1, 1, 18)));

  EXPECT_EQ("1899-12-30 00:00:00.000/6", Text(0.0));
  EXPECT_EQ("2000-01-01 12:00:00.000/6", Text(36526.5));
  EXPECT_EQ("1899-12-29 06:00:00.000/5", Text(-1.25));
  EXPECT_EQ("1899-12-30 12:00:00.000/6", Text(-0.5));
  EXPECT_EQ("1800-01-01 18:00:00.000/3", Text(-36522.75));
  EXPECT_EQ("0100-01-01 00:00:00.000/5", Text(-657434.0));
  EXPECT_EQ("9999-12-31 23:59:59.000/5", Text(2958465.99999));
}

TEST(VariantTime, MillisecondsAreDroppedAndSecondsRounded) {
  EXPECT_DOUBLE_EQ(Variant(Time(2000, 1, 1, 23, 59, 59)), Variant(Time(2000, 1, 1, 23, 59, 59, 999)));
  EXPECT_DOUBLE_EQ(36526.0, Variant(Time(2000, 1, 1, 0, 0, 0, 1000)));
  EXPECT_EQ("1899-12-30 23:59:59.000/6", Text(0.99999));  // 86399.1 seconds
  EXPECT_EQ("2000-01-01 00:00:01.000/6", Text(36526.0 + 0.7 / 86400));
  // Every whole second comes back as it went in.
  const SYSTEMTIME st = Time(2026, 12, 8, 23, 59, 58);
  SYSTEMTIME back = {};
  ASSERT_TRUE(VariantTimeToSystemTime(Variant(st), &back));
  EXPECT_EQ("2026-12-08 23:59:58.000/2", Text(Variant(back)));
}

TEST(VariantTime, FieldsPastTheirRangeCountOn) {
  EXPECT_DOUBLE_EQ(Variant(Time(2000, 3, 1)), Variant(Time(2000, 2, 30)));
  EXPECT_DOUBLE_EQ(Variant(Time(1999, 12, 31)), Variant(Time(2000, 1, 0)));
  EXPECT_DOUBLE_EQ(Variant(Time(1999, 12, 1)), Variant(Time(2000, 0, 1)));
  EXPECT_DOUBLE_EQ(Variant(Time(2000, 1, 2)), Variant(Time(2000, 1, 1, 24)));
  EXPECT_DOUBLE_EQ(Variant(Time(2000, 1, 2, 2, 2, 1)), Variant(Time(2000, 1, 1, 25, 61, 61)));
}

TEST(VariantTime, YearsBelow100HaveTwoDigits) {
  EXPECT_DOUBLE_EQ(Variant(Time(2000, 1, 1)), Variant(Time(0, 1, 1)));
  EXPECT_DOUBLE_EQ(Variant(Time(2029, 1, 1)), Variant(Time(29, 1, 1)));
  EXPECT_DOUBLE_EQ(Variant(Time(1930, 1, 1)), Variant(Time(30, 1, 1)));
  EXPECT_DOUBLE_EQ(Variant(Time(1999, 1, 1)), Variant(Time(99, 1, 1)));
}

TEST(VariantTime, OutOfRangeIsRefused) {
  EXPECT_EQ(-99, Variant(Time(2000, 13, 1)));
  EXPECT_EQ(-99, Variant(Time(2000, 1, 32)));
  EXPECT_EQ(-99, Variant(Time(10000, 1, 1)));
  EXPECT_EQ(-99, Variant(Time(9999, 12, 31, 24)));
  EXPECT_EQ("refused", Text(-657435.0));
  EXPECT_EQ("refused", Text(2958466.0));
  EXPECT_EQ("refused", Text(1e300));
}

}  // namespace
