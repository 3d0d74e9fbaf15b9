// Whether a locale identifier names a locale the layer knows (its table of
// locales, see winport/nls.h), and whether a code page is one the system
// can convert.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define LCID_INSTALLED 0x00000001
#define LCID_SUPPORTED 0x00000002
#define LCID_ALTERNATE_SORTS 0x00000004

// TRUE when Locale is exactly one of the table's identifiers (language,
// sublanguage and the default sort order): 0x0407 yes, 0x1407 (a
// sublanguage the table lacks), 0x0007 (a neutral sublanguage), 0x10407 (an
// alternate sort) and the pseudo-locales LOCALE_USER_DEFAULT and
// LOCALE_SYSTEM_DEFAULT no. Every locale of the table counts as installed
// and supported, so the flags do not change the answer.
BOOL WINAPI IsValidLocale(LCID Locale, DWORD dwFlags);

// TRUE for the code pages Windows installs for 8-bit text: the ANSI and OEM
// code pages (1250-1258, 437, 850 ...), the ISO 8859 family (28591-28606),
// the multi-byte Asian code pages (932, 936, 949, 950, 1361), UTF-7 (65000)
// and UTF-8 (65001). FALSE for 0 and the other pseudo code pages, and for
// the Unicode code pages 1200 and 1201, which no 8-bit call can use.
BOOL WINAPI IsValidCodePage(UINT CodePage);

#ifdef __cplusplus
}
#endif
