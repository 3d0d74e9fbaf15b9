// Variant dates (OLE Automation's DATE): days since 1899-12-30 00:00 as a
// double, the fraction being the time of day. Days before that date count
// negative with the time still added as a positive fraction of the day:
// 1899-12-29 06:00 is -1.25.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef double DATE;

// The variant date of a SYSTEMTIME. Milliseconds and the day of the week are
// ignored; a day, hour, minute or second past its range counts on into the
// next unit (February 30 is March 1, hour 24 the next day), and day or
// month 0 is the last of the one before. A year below 100 is read with two
// digits: 0-29 as 2000-2029, 30-99 as 1930-1999. FALSE for a month above 12,
// a day above 31, and a result outside the years 100 to 9999.
INT WINAPI SystemTimeToVariantTime(LPSYSTEMTIME lpSystemTime, DOUBLE* pvtime);

// The SYSTEMTIME of a variant date, rounded to the nearest second
// (wMilliseconds 0), with its day of the week. FALSE for a date before
// 100-01-01 or after 9999-12-31 23:59:59.
INT WINAPI VariantTimeToSystemTime(DOUBLE vtime, LPSYSTEMTIME lpSystemTime);

#ifdef __cplusplus
}
#endif
