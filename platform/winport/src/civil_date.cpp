// Day numbers of the proleptic Gregorian calendar (H. Hinnant's algorithms).
#include "civil_date.h"

namespace winport {

int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  // Days past the month's end (or a day 0) simply count on from its first.
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468 + (static_cast<int64_t>(d) - 1);
}

CivilDate CivilFromDays(int64_t days) {
  const int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  CivilDate date;
  date.day = doy - (153 * mp + 2) / 5 + 1;
  date.month = mp < 10 ? mp + 3 : mp - 9;
  date.year = static_cast<int64_t>(yoe) + era * 400 + (date.month <= 2);
  return date;
}

unsigned WeekdayFromDays(int64_t days) {
  // 1970-01-01 was a Thursday.
  return static_cast<unsigned>(((days % 7) + 11) % 7);
}

}  // namespace winport
