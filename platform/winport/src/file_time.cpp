// FILETIME conversions.
#include "file_time.h"

#include <stdint.h>

namespace {

// Seconds from 1601-01-01 to 1970-01-01.
const int64_t kEpochDifference = 11644473600LL;
const int64_t kTicksPerSecond = 10000000LL;

uint64_t Ticks(const FILETIME* time) {
  return (static_cast<uint64_t>(time->dwHighDateTime) << 32) | time->dwLowDateTime;
}

FILETIME FromTicks(uint64_t ticks) {
  FILETIME result;
  result.dwLowDateTime = static_cast<DWORD>(ticks);
  result.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return result;
}

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

// The UTC offset in seconds of the local time zone at the given UTC instant.
int64_t LocalOffset(int64_t unixSeconds) {
  time_t t = static_cast<time_t>(unixSeconds);
  struct tm local;
  if (!localtime_r(&t, &local)) return 0;
  return local.tm_gmtoff;
}

}  // namespace

namespace winport {

FILETIME FileTimeFromTimespec(const struct timespec& time) {
  int64_t ticks = (static_cast<int64_t>(time.tv_sec) + kEpochDifference) * kTicksPerSecond +
                  time.tv_nsec / 100;
  return FromTicks(ticks < 0 ? 0 : static_cast<uint64_t>(ticks));
}

}  // namespace winport

extern "C" BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime) {
  if (!lpFileTime || !lpSystemTime) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  uint64_t ticks = Ticks(lpFileTime);
  if (ticks >= 0x8000000000000000ULL) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int64_t seconds = static_cast<int64_t>(ticks / kTicksPerSecond) - kEpochDifference;
  int64_t days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
  int64_t secondOfDay = seconds - days * 86400;
  // Civil date from days since 1970-01-01.
  int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  int64_t y = static_cast<int64_t>(yoe) + era * 400 + (m <= 2);
  lpSystemTime->wYear = static_cast<WORD>(y);
  lpSystemTime->wMonth = static_cast<WORD>(m);
  lpSystemTime->wDay = static_cast<WORD>(d);
  lpSystemTime->wDayOfWeek = static_cast<WORD>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  lpSystemTime->wHour = static_cast<WORD>(secondOfDay / 3600);
  lpSystemTime->wMinute = static_cast<WORD>(secondOfDay / 60 % 60);
  lpSystemTime->wSecond = static_cast<WORD>(secondOfDay % 60);
  lpSystemTime->wMilliseconds = static_cast<WORD>(ticks / 10000 % 1000);
  return TRUE;
}

extern "C" BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime) {
  if (!lpSystemTime || !lpFileTime) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const SYSTEMTIME& st = *lpSystemTime;
  static const int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (st.wYear % 4 == 0 && st.wYear % 100 != 0) || st.wYear % 400 == 0;
  if (st.wYear < 1601 || st.wYear > 30827 || st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1 ||
      st.wDay > kDaysInMonth[st.wMonth - 1] + (st.wMonth == 2 && leap) || st.wHour > 23 ||
      st.wMinute > 59 || st.wSecond > 59 || st.wMilliseconds > 999) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int64_t days = DaysFromCivil(st.wYear, st.wMonth, st.wDay);
  int64_t seconds = days * 86400 + st.wHour * 3600 + st.wMinute * 60 + st.wSecond;
  uint64_t ticks = static_cast<uint64_t>((seconds + kEpochDifference) * kTicksPerSecond) +
                   static_cast<uint64_t>(st.wMilliseconds) * 10000;
  *lpFileTime = FromTicks(ticks);
  return TRUE;
}

extern "C" BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime) {
  if (!lpFileTime || !lpLocalFileTime) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  uint64_t ticks = Ticks(lpFileTime);
  int64_t unixSeconds = static_cast<int64_t>(ticks / kTicksPerSecond) - kEpochDifference;
  int64_t shifted = static_cast<int64_t>(ticks) + LocalOffset(unixSeconds) * kTicksPerSecond;
  *lpLocalFileTime = FromTicks(shifted < 0 ? 0 : static_cast<uint64_t>(shifted));
  return TRUE;
}

extern "C" BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime) {
  if (!lpLocalFileTime || !lpFileTime) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  uint64_t ticks = Ticks(lpLocalFileTime);
  int64_t localSeconds = static_cast<int64_t>(ticks / kTicksPerSecond) - kEpochDifference;
  // The offset that applies at the local instant, taken at the UTC guess.
  int64_t offset = LocalOffset(localSeconds - LocalOffset(localSeconds));
  int64_t shifted = static_cast<int64_t>(ticks) - offset * kTicksPerSecond;
  *lpFileTime = FromTicks(shifted < 0 ? 0 : static_cast<uint64_t>(shifted));
  return TRUE;
}

extern "C" LONG WINAPI CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2) {
  uint64_t a = Ticks(lpFileTime1), b = Ticks(lpFileTime2);
  return a < b ? -1 : a > b ? 1 : 0;
}
