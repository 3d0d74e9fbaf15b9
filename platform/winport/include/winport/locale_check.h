// Whether a locale identifier names a locale the layer knows (its table of
// locales, see winport/nls.h).
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

#ifdef __cplusplus
}
#endif
