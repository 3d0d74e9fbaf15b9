// Time, progress and identifier formatting: dates and times in the user's
// locale, a progress line in the console title, the suite's name order, and
// GUIDs that are unique within the process.
#pragma once

#include <afx.h>
#include <afxcoll.h>
#include <windows.h>

extern "C" {

// The date (long form) and/or the time of `moment` in the user's locale,
// joined by one blank that is always there ("<date> <time>", "<date> ",
// " <time>", " "), into `text`. 1; 0 with `text` unchanged when the system
// cannot format the moment.
int PAFormatDateTime(CString& text, const SYSTEMTIME* moment, int withDate, int withTime);

// PAFormatDateTime for the current local time; `text` is emptied first.
int PAFormatNow(CString& text, int withDate, int withTime);

// Sets the console title to the time elapsed since *startTime (seconds
// since 1970, as _time64 counts them) as "D:HH:MM:SS"; while 0 < done <
// total it adds the projected total time and the counts:
// "0:00:01:05  (0:00:10:50) [done: 6/60]". A null startTime leaves the
// title alone. Always 1.
int PAShowProgress(const LONGLONG* startTime, int done, int total);

// Where the compiler's include directories are read from (non-zero: the
// development environment's component file; 0: the INCLUDE variable). 2.
int PAGetCompilerGeneration(void);

// Sorts the array in place, comparing without regard to case with "_"
// ranking before every printable character ("A_B" before "A1" and "AA");
// the order of equal names is not kept. 1; 0 for a null or empty array.
int PASortStringArray(CStringArray* strings);

// Forgets every GUID handed out or registered so far in this process.
void PAClearGuidRegistry(void);

// The GUID as text with upper-case digits, with braces
// ("{41F2BBD0-D9BD-11D1-8E97-0020AFF4C1F6}") when `withBraces` is non-zero,
// else with underscores ("41F2BBD0_D9BD_11D1_8E97_0020AFF4C1F6"). 1; 0 with
// `text` empty for a null GUID.
int PAFormatGuid(int withBraces, const GUID* guid, CString& text);

// Remembers the GUID for this process. 1 when it is new; 0 when it was
// handed out or registered before (or is null).
int PARegisterGuid(const GUID* guid);

// Puts into *guid a new GUID that this process has not handed out before,
// and remembers it. When the system keeps failing it tries 1000 times, 123
// ms apart, and then leaves the last attempt. Result: guid.
GUID* PACreateUniqueGuid(GUID* guid);

// A new unique GUID (PACreateUniqueGuid) as text (PAFormatGuid). Always 1.
int PANewGuidString(int withBraces, CString& text);

}  // extern "C"
