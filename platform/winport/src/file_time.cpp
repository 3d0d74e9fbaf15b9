// FILETIME conversions.
#include "file_time.h"

#include <stdint.h>

#include "civil_date.h"

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

// The UTC offset in seconds of the local time zone as it stands now. Windows
// converts file times between UTC and local time with the current bias
// (daylight saving time included when it is in force now), whatever the
// date of the time converted; so does the layer.
int64_t CurrentLocalOffset() {
  time_t now = time(nullptr);
  struct tm local;
  if (!localtime_r(&now, &local)) return 0;
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
  const winport::CivilDate date = winport::CivilFromDays(days);
  lpSystemTime->wYear = static_cast<WORD>(date.year);
  lpSystemTime->wMonth = static_cast<WORD>(date.month);
  lpSystemTime->wDay = static_cast<WORD>(date.day);
  lpSystemTime->wDayOfWeek = static_cast<WORD>(winport::WeekdayFromDays(days));
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
  int64_t days = winport::DaysFromCivil(st.wYear, st.wMonth, st.wDay);
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
  int64_t shifted = static_cast<int64_t>(ticks) + CurrentLocalOffset() * kTicksPerSecond;
  *lpLocalFileTime = FromTicks(shifted < 0 ? 0 : static_cast<uint64_t>(shifted));
  return TRUE;
}

extern "C" BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime) {
  if (!lpLocalFileTime || !lpFileTime) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  uint64_t ticks = Ticks(lpLocalFileTime);
  int64_t shifted = static_cast<int64_t>(ticks) - CurrentLocalOffset() * kTicksPerSecond;
  *lpFileTime = FromTicks(shifted < 0 ? 0 : static_cast<uint64_t>(shifted));
  return TRUE;
}

extern "C" LONG WINAPI CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2) {
  uint64_t a = Ticks(lpFileTime1), b = Ticks(lpFileTime2);
  return a < b ? -1 : a > b ? 1 : 0;
}
