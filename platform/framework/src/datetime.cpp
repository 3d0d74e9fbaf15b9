// CTime and CTimeSpan.
#include <afx.h>

#include <string.h>
#include <time.h>

namespace {

// Seconds between 1601-01-01 (the origin of file times) and 1970-01-01.
const LONGLONG kFileTimeEpochOffset = 11644473600LL;

// The broken-down local or UTC time of a moment. The C runtimes name their
// reentrant forms differently, and this is the one place that differs.
bool BreakDown(LONGLONG value, bool local, struct tm* out) {
  time_t t = static_cast<time_t>(value);
  if (static_cast<LONGLONG>(t) != value) return false;
#if defined(_WIN32)
  return (local ? localtime_s(out, &t) : gmtime_s(out, &t)) == 0;
#else
  return (local ? localtime_r(&t, out) : gmtime_r(&t, out)) != NULL;
#endif
}

CString FormatTm(const struct tm& when, LPCSTR pFormat) {
  if (pFormat == NULL || *pFormat == '\0') return CString();
  // strftime gives no length up front: grow until the text fits. A result
  // of 0 is also a legitimately empty text, so the growth is bounded.
  for (size_t size = 128; size <= 65536; size *= 4) {
    CString result;
    char* buffer = result.GetBuffer(static_cast<int>(size));
    size_t n = strftime(buffer, size, pFormat, &when);
    if (n > 0 || size == 65536) {
      result.ReleaseBuffer(static_cast<int>(n));
      return result;
    }
    result.ReleaseBuffer(0);
  }
  return CString();
}

}  // namespace

// ---------------------------------------------------------------------------
// CTimeSpan

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
    : m_timeSpan(nSecs + 60 * (nMins + 60 * (nHours + static_cast<LONGLONG>(24) * lDays))) {}

CString CTimeSpan::Format(LPCSTR pFormat) const {
  CString result;
  if (pFormat == NULL) return result;
  for (LPCSTR p = pFormat; *p != '\0'; ++p) {
    if (*p != '%') {
      result += *p;
      continue;
    }
    ++p;
    bool bNoZero = false;
    if (*p == '#') {
      bNoZero = true;
      ++p;
    }
    switch (*p) {
      case '%':
        result += '%';
        break;
      case 'D':
        result.AppendFormat("%lld", GetDays());
        break;
      case 'H':
        result.AppendFormat(bNoZero ? "%d" : "%02d", static_cast<int>(GetHours()));
        break;
      case 'M':
        result.AppendFormat(bNoZero ? "%d" : "%02d", static_cast<int>(GetMinutes()));
        break;
      case 'S':
        result.AppendFormat(bNoZero ? "%d" : "%02d", static_cast<int>(GetSeconds()));
        break;
      default:  // includes a "%" at the very end
        AfxThrowInvalidArgException();
    }
  }
  return result;
}

// ---------------------------------------------------------------------------
// CTime

CTime CTime::GetCurrentTime() { return CTime(static_cast<LONGLONG>(::time(NULL))); }

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) {
  if (nYear < 1900 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 || nHour < 0 || nHour > 23 || nMin < 0 ||
      nMin > 59 || nSec < 0 || nSec > 59) {
    AfxThrowInvalidArgException();
  }
  struct tm when;
  memset(&when, 0, sizeof when);
  when.tm_year = nYear - 1900;
  when.tm_mon = nMonth - 1;
  when.tm_mday = nDay;
  when.tm_hour = nHour;
  when.tm_min = nMin;
  when.tm_sec = nSec;
  when.tm_isdst = nDST;
  time_t t = mktime(&when);
  if (t == static_cast<time_t>(-1)) AfxThrowInvalidArgException();
  m_time = static_cast<LONGLONG>(t);
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST) {}

CTime::CTime(const FILETIME& ft, int nDST) {
  (void)nDST;  // a file time is UTC: daylight saving time does not enter
  ULONGLONG ticks = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  m_time = static_cast<LONGLONG>(ticks / 10000000ULL) - kFileTimeEpochOffset;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const {
  if (ptm == NULL || !BreakDown(m_time, true, ptm)) return NULL;
  return ptm;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const {
  if (ptm == NULL || !BreakDown(m_time, false, ptm)) return NULL;
  return ptm;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const {
  struct tm when;
  if (!BreakDown(m_time, true, &when)) return FALSE;
  st.wYear = static_cast<WORD>(when.tm_year + 1900);
  st.wMonth = static_cast<WORD>(when.tm_mon + 1);
  st.wDayOfWeek = static_cast<WORD>(when.tm_wday);
  st.wDay = static_cast<WORD>(when.tm_mday);
  st.wHour = static_cast<WORD>(when.tm_hour);
  st.wMinute = static_cast<WORD>(when.tm_min);
  st.wSecond = static_cast<WORD>(when.tm_sec);
  st.wMilliseconds = 0;
  return TRUE;
}

int CTime::LocalField(int tm::*field) const {
  struct tm when;
  if (!BreakDown(m_time, true, &when)) return -1;
  return when.*field;
}

int CTime::GetYear() const { return LocalField(&tm::tm_year) + 1900; }
int CTime::GetMonth() const { return LocalField(&tm::tm_mon) + 1; }
int CTime::GetDay() const { return LocalField(&tm::tm_mday); }
int CTime::GetHour() const { return LocalField(&tm::tm_hour); }
int CTime::GetMinute() const { return LocalField(&tm::tm_min); }
int CTime::GetSecond() const { return LocalField(&tm::tm_sec); }
int CTime::GetDayOfWeek() const { return LocalField(&tm::tm_wday) + 1; }

CString CTime::Format(LPCSTR pFormat) const {
  struct tm when;
  if (!BreakDown(m_time, true, &when)) return CString();
  return FormatTm(when, pFormat);
}

CString CTime::FormatGmt(LPCSTR pFormat) const {
  struct tm when;
  if (!BreakDown(m_time, false, &when)) return CString();
  return FormatTm(when, pFormat);
}
