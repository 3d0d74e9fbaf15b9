// The clock and waiting: the current time as a SYSTEMTIME, and Sleep.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

// The current local time (the process's time zone), to the millisecond,
// with wDayOfWeek 0 for Sunday.
void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime);
// The current time in UTC, in the same form.
void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime);

// Suspends the calling thread for at least dwMilliseconds; 0 only gives up
// the rest of the time slice.
void WINAPI Sleep(DWORD dwMilliseconds);

#ifdef __cplusplus
}
#endif
