// SystemTimeToVariantTime and VariantTimeToSystemTime.
#include <math.h>
#include <oleauto.h>

#include "civil_date.h"

namespace {

const double kSecondsPerDay = 86400.0;
// 1899-12-30, day 0 of the variant dates, counted from 1970-01-01.
const int64_t kVariantEpoch = -25569;
// The range of variant dates: 100-01-01 and the last day of 9999.
const int64_t kFirstDay = -657434;
const int64_t kLastDay = 2958465;

}  // namespace

extern "C" INT WINAPI SystemTimeToVariantTime(LPSYSTEMTIME lpSystemTime, DOUBLE* pvtime) {
  if (!lpSystemTime || !pvtime) return FALSE;
  const SYSTEMTIME& st = *lpSystemTime;
  if (st.wMonth > 12 || st.wDay > 31) return FALSE;
  int64_t year = st.wYear;
  if (year > 9999) return FALSE;
  if (year < 30) year += 2000;
  else if (year < 100) year += 1900;
  unsigned month = st.wMonth;
  if (month == 0) {  // December of the year before
    month = 12;
    --year;
  }
  const int64_t seconds = static_cast<int64_t>(st.wHour) * 3600 + st.wMinute * 60 + st.wSecond;
  const int64_t day = winport::DaysFromCivil(year, month, st.wDay) - kVariantEpoch + seconds / 86400;
  const double fraction = static_cast<double>(seconds % 86400) / kSecondsPerDay;
  if (day < kFirstDay || day > kLastDay) return FALSE;
  // Before day 0 the fraction moves away from zero like the day does.
  *pvtime = day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction;
  return TRUE;
}

extern "C" INT WINAPI VariantTimeToSystemTime(DOUBLE vtime, LPSYSTEMTIME lpSystemTime) {
  if (!lpSystemTime) return FALSE;
  if (!(vtime >= static_cast<double>(kFirstDay) && vtime < static_cast<double>(kLastDay + 1))) return FALSE;
  const double whole = vtime >= 0 ? floor(vtime) : ceil(vtime);
  int64_t day = static_cast<int64_t>(whole);
  int64_t second = static_cast<int64_t>(floor(fabs(vtime - whole) * kSecondsPerDay + 0.5));
  if (second >= 86400) {  // rounded up to the next midnight
    second -= 86400;
    ++day;
  }
  if (day > kLastDay) return FALSE;
  const int64_t days = day + kVariantEpoch;
  const winport::CivilDate date = winport::CivilFromDays(days);
  lpSystemTime->wYear = static_cast<WORD>(date.year);
  lpSystemTime->wMonth = static_cast<WORD>(date.month);
  lpSystemTime->wDayOfWeek = static_cast<WORD>(winport::WeekdayFromDays(days));
  lpSystemTime->wDay = static_cast<WORD>(date.day);
  lpSystemTime->wHour = static_cast<WORD>(second / 3600);
  lpSystemTime->wMinute = static_cast<WORD>(second / 60 % 60);
  lpSystemTime->wSecond = static_cast<WORD>(second % 60);
  lpSystemTime->wMilliseconds = 0;
  return TRUE;
}
