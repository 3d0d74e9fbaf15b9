// Locales: language and locale identifiers, the user's default locale, and
// dates and times formatted the way a locale writes them. The layer knows a
// table of locales (en-US, en-GB, de-DE, de-CH, de-AT, fr-FR, it-IT, es-ES,
// nl-NL and the invariant locale) with Windows' own patterns and names;
// texts are in the Windows ANSI code page (1252).
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define MAKELANGID(p, s) ((WORD)((((WORD)(s)) << 10) | (WORD)(p)))
#define PRIMARYLANGID(lgid) ((WORD)(lgid) & 0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)
#define MAKELCID(lgid, srtid) ((DWORD)((((DWORD)((WORD)(srtid))) << 16) | ((DWORD)((WORD)(lgid)))))
#define LANGIDFROMLCID(lcid) ((WORD)(lcid))
#define SORT_DEFAULT 0x0

#define LANG_NEUTRAL 0x00
#define LANG_INVARIANT 0x7f
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_SYS_DEFAULT 0x02

#define LOCALE_NEUTRAL 0x0000
#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_INVARIANT 0x007f
#define LOCALE_NOUSEROVERRIDE 0x80000000u

#define DATE_SHORTDATE 0x00000001
#define DATE_LONGDATE 0x00000002
#define DATE_USE_ALT_CALENDAR 0x00000004
#define DATE_YEARMONTH 0x00000008
#define DATE_LTRREADING 0x00000010
#define DATE_RTLREADING 0x00000020

typedef DWORD LCTYPE;

#define LOCALE_SISO639LANGNAME 0x00000059
#define LOCALE_SISO3166CTRYNAME 0x0000005A

#define TIME_NOMINUTESORSECONDS 0x00000001
#define TIME_NOSECONDS 0x00000002
#define TIME_NOTIMEMARKER 0x00000004
#define TIME_FORCE24HOURFORMAT 0x00000008

// The user's default locale: the first of LC_ALL, LC_MESSAGES and LANG that
// is set ("de_CH.UTF-8", "fr_FR", "it" ...) when the table knows its
// language; en-US (0x0409) otherwise. Read anew on every call.
LCID WINAPI GetUserDefaultLCID(void);
LANGID WINAPI GetUserDefaultLangID(void);
// The system's default locale: the same as the user's on POSIX.
LCID WINAPI GetSystemDefaultLCID(void);

// Formats a date (lpDate, or today when NULL) with the picture lpFormat or,
// when it is NULL, with the locale's short date (DATE_SHORTDATE or no flag),
// long date (DATE_LONGDATE) or year-month (DATE_YEARMONTH) pattern. Picture
// codes: d dd ddd dddd, M MM MMM MMMM, y yy yyyy, text in single quotes;
// era codes (g, gg) give nothing. The day of the week is computed from the
// date. Result: the characters written, terminator included; with cchDate
// 0 the size needed. 0 on failure with the last error: ERROR_INVALID_FLAGS
// (a picture and a date flag together, or two date flags),
// ERROR_INVALID_PARAMETER (an unknown locale, an invalid date, a negative
// size), ERROR_INSUFFICIENT_BUFFER.
int WINAPI GetDateFormatA(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCSTR lpFormat, LPSTR lpDateStr,
                          int cchDate);
// Formats a time (lpTime, or now when NULL) with the picture lpFormat or the
// locale's time pattern. Picture codes: h hh (12 hours), H HH (24 hours), m
// mm, s ss, t tt (the AM/PM marker), text in single quotes. The TIME_ flags
// drop fields together with the separator in front of them;
// TIME_FORCE24HOURFORMAT shows 24 hours and no marker. Result and errors as
// for GetDateFormatA (an invalid time is ERROR_INVALID_PARAMETER).
int WINAPI GetTimeFormatA(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpTime, LPCSTR lpFormat, LPSTR lpTimeStr,
                          int cchTime);

// One item of a locale's information into lpLCData: the layer knows the
// ISO 639 language name (LOCALE_SISO639LANGNAME, "de") and the ISO 3166
// country name (LOCALE_SISO3166CTRYNAME, "CH"); the invariant locale answers
// "iv" and "IV". LOCALE_NOUSEROVERRIDE may be added to either. The
// pseudo-locales stand for the user's default, a neutral sublanguage for the
// language's default one, and the sort order is not looked at. Result: the
// characters written, terminator included; with cchData 0 the size needed.
// 0 on failure with the last error: ERROR_INVALID_PARAMETER (a locale the
// table lacks, a negative size, no buffer), ERROR_INVALID_FLAGS (another
// item), ERROR_INSUFFICIENT_BUFFER.
int WINAPI GetLocaleInfoA(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData);

#define GetLocaleInfo GetLocaleInfoA
#define GetDateFormat GetDateFormatA
#define GetTimeFormat GetTimeFormatA

#ifdef __cplusplus
}
#endif
