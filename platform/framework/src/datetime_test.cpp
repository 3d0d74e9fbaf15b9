#include <afx.h>

#include <gtest/gtest.h>

namespace {

TEST(TimeSpanTest, FormatWritesDaysAndTwoDigitFields) {
  EXPECT_STREQ("1:01:01:01", CTimeSpan(90061).Format("%D:%H:%M:%S"));
  EXPECT_STREQ("0:00:01:05", CTimeSpan(65).Format("%D:%H:%M:%S"));
  EXPECT_STREQ("12345:00:00:00", CTimeSpan(12345, 0, 0, 0).Format("%D:%H:%M:%S"));
  EXPECT_STREQ("1h 5m 100%", CTimeSpan(0, 1, 5, 0).Format("%#Hh %#Mm 100%%"));
  EXPECT_EQ(1, CTimeSpan(0, 26, 0, 0).GetDays());
  EXPECT_EQ(2, CTimeSpan(0, 26, 0, 0).GetHours());
}

TEST(TimeSpanTest, FormatRejectsUnknownFields) {
  for (const char* pattern : {"%Y", "%", "ok %q"}) {
    try {
      CTimeSpan(1).Format(pattern);
      ADD_FAILURE() << pattern;
    } catch (CException* e) {
      EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
      e->Delete();
    }
  }
}

TEST(TimeTest, FileTimesAreUtcMoments) {
  // 1970-01-02 00:00:00 UTC as a file time (100 ns units since 1601).
  ULONGLONG ticks = (11644473600ULL + 86400ULL) * 10000000ULL;
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
  ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  CTime t(ft);
  EXPECT_EQ(86400, t.GetTime());
  EXPECT_STREQ("1970-01-02 00:00", t.FormatGmt("%Y-%m-%d %H:%M"));
  EXPECT_EQ(CTimeSpan(1, 0, 0, 0), t - CTime(0));
}

TEST(TimeTest, LocalFieldsRoundTrip) {
  CTime t(2024, 2, 29, 13, 45, 30);
  EXPECT_EQ(2024, t.GetYear());
  EXPECT_EQ(2, t.GetMonth());
  EXPECT_EQ(29, t.GetDay());
  EXPECT_EQ(13, t.GetHour());
  EXPECT_EQ(45, t.GetMinute());
  EXPECT_EQ(30, t.GetSecond());
  EXPECT_EQ(5, t.GetDayOfWeek());  // a Thursday
  SYSTEMTIME st;
  ASSERT_TRUE(t.GetAsSystemTime(st));
  EXPECT_EQ(CTime(st), t);
  try {
    CTime(2024, 13, 1, 0, 0, 0);
    ADD_FAILURE() << "month 13 accepted";
  } catch (CException* e) {
    e->Delete();
  }
}

}  // namespace
