// CTime, a moment as whole seconds since 1970-01-01 00:00 UTC, shown in
// local time; and CTimeSpan, a signed duration in whole seconds.
#pragma once

#include <windows.h>
#include <time.h>
#include <afx/cstring.h>

// Some Windows headers define GetCurrentTime as a macro for the tick count;
// here it is CTime's member.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

class CTimeSpan {
 public:
  CTimeSpan() : m_timeSpan(0) {}
  CTimeSpan(LONGLONG time) : m_timeSpan(time) {}
  CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

  LONGLONG GetDays() const { return m_timeSpan / (24 * 3600); }
  LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
  LONG GetHours() const { return static_cast<LONG>(GetTotalHours() - GetDays() * 24); }
  LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
  LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() - GetTotalHours() * 60); }
  LONGLONG GetTotalSeconds() const { return m_timeSpan; }
  LONG GetSeconds() const { return static_cast<LONG>(GetTotalSeconds() - GetTotalMinutes() * 60); }
  LONGLONG GetTimeSpan() const { return m_timeSpan; }

  CTimeSpan operator+(CTimeSpan span) const { return CTimeSpan(m_timeSpan + span.m_timeSpan); }
  CTimeSpan operator-(CTimeSpan span) const { return CTimeSpan(m_timeSpan - span.m_timeSpan); }
  CTimeSpan& operator+=(CTimeSpan span) {
    m_timeSpan += span.m_timeSpan;
    return *this;
  }
  CTimeSpan& operator-=(CTimeSpan span) {
    m_timeSpan -= span.m_timeSpan;
    return *this;
  }
  bool operator==(CTimeSpan span) const { return m_timeSpan == span.m_timeSpan; }
  bool operator!=(CTimeSpan span) const { return m_timeSpan != span.m_timeSpan; }
  bool operator<(CTimeSpan span) const { return m_timeSpan < span.m_timeSpan; }
  bool operator>(CTimeSpan span) const { return m_timeSpan > span.m_timeSpan; }
  bool operator<=(CTimeSpan span) const { return m_timeSpan <= span.m_timeSpan; }
  bool operator>=(CTimeSpan span) const { return m_timeSpan >= span.m_timeSpan; }

  // Formats the span: "%D" whole days, "%H" hours of the day, "%M" minutes
  // of the hour, "%S" seconds of the minute (the last three with two
  // digits; "%#H" etc. without the leading zero), "%%" a percent sign;
  // other characters are copied. Any other letter after "%" throws
  // CInvalidArgException.
  CString Format(LPCSTR pFormat) const;

 private:
  LONGLONG m_timeSpan;
};

class CTime {
 public:
  // The current moment.
  static CTime GetCurrentTime();

  CTime() : m_time(0) {}
  CTime(LONGLONG time) : m_time(time) {}
  // A local date and time; nDST < 0 lets the C runtime decide on daylight
  // saving time. Fields out of range throw CInvalidArgException.
  CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
  CTime(const SYSTEMTIME& st, int nDST = -1);  // st in local time
  CTime(const FILETIME& ft, int nDST = -1);    // ft in UTC, as file times are

  LONGLONG GetTime() const { return m_time; }
  // Broken-down local / UTC time; NULL when the moment cannot be shown.
  struct tm* GetLocalTm(struct tm* ptm) const;
  struct tm* GetGmtTm(struct tm* ptm) const;
  // The moment as a local SYSTEMTIME; FALSE when it cannot be shown.
  BOOL GetAsSystemTime(SYSTEMTIME& st) const;

  // Local time fields: year (e.g. 2024), month 1-12, day 1-31, hour 0-23,
  // minute, second, day of week 1 (Sunday) to 7.
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;

  // strftime formatting in local time / UTC.
  CString Format(LPCSTR pFormat) const;
  CString FormatGmt(LPCSTR pFormat) const;

  CTimeSpan operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
  CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
  CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
  CTime& operator+=(CTimeSpan span) {
    m_time += span.GetTimeSpan();
    return *this;
  }
  CTime& operator-=(CTimeSpan span) {
    m_time -= span.GetTimeSpan();
    return *this;
  }
  bool operator==(CTime time) const { return m_time == time.m_time; }
  bool operator!=(CTime time) const { return m_time != time.m_time; }
  bool operator<(CTime time) const { return m_time < time.m_time; }
  bool operator>(CTime time) const { return m_time > time.m_time; }
  bool operator<=(CTime time) const { return m_time <= time.m_time; }
  bool operator>=(CTime time) const { return m_time >= time.m_time; }

 private:
  int LocalField(int tm::*field) const;
  LONGLONG m_time;
};
