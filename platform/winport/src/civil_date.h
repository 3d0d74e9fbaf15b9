// Proleptic Gregorian dates as day numbers, shared by the file-time and
// variant-time conversions.
#pragma once

#include <stdint.h>

namespace winport {

struct CivilDate {
  int64_t year;
  unsigned month;  // 1-12
  unsigned day;    // 1-31
};

// Days since 1970-01-01 of a date with a month of 1-12; a day past the
// month's end counts on into the next (2000-02-30 is 2000-03-01), day 0 is
// the last day of the month before.
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day);
// The date of a day number counted from 1970-01-01.
CivilDate CivilFromDays(int64_t days);
// The day of the week, 0 for Sunday.
unsigned WeekdayFromDays(int64_t days);

}  // namespace winport
