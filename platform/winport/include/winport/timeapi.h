// The clock and waiting: the current time as a SYSTEMTIME, the tick count,
// and Sleep.
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

// The milliseconds since the system started (suspended time included),
// counted modulo 2 to the power 32 as Windows counts them: the count wraps
// to 0 after about 49.7 days. The environment variable WINPORT_TICK_OFFSET
// (a decimal number of milliseconds, negative too, read on every call) is
// added to it, so that a test can put the clock anywhere, just before the
// wrap for one.
DWORD WINAPI GetTickCount(void);

// Suspends the calling thread for at least dwMilliseconds; 0 only gives up
// the rest of the time slice.
void WINAPI Sleep(DWORD dwMilliseconds);

#ifdef __cplusplus
}
#endif
