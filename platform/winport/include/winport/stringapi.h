// Strings as the user's locale sees them: the comparison that sorts names
// the way Windows lists them (lstrcmpiA), and the character classes of the
// ANSI code page (GetStringTypeExA). Texts are in code page 1252.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define CT_CTYPE1 0x00000001
#define CT_CTYPE2 0x00000002
#define CT_CTYPE3 0x00000004

#define C1_UPPER 0x0001
#define C1_LOWER 0x0002
#define C1_DIGIT 0x0004
#define C1_SPACE 0x0008
#define C1_PUNCT 0x0010
#define C1_CNTRL 0x0020
#define C1_BLANK 0x0040
#define C1_XDIGIT 0x0080
#define C1_ALPHA 0x0100
#define C1_DEFINED 0x0200

// Compares two texts without regard to case, in the order Windows' default
// sort table gives (the same for every locale of the layer's table):
// control characters count for nothing; the hyphen, the apostrophe and the
// soft hyphen count only when the texts are otherwise equal ("coop" before
// "co-op" before "cop"); white space and punctuation sort before digits and
// digits before letters; an accented letter sorts with its base letter and
// after it when the texts are otherwise equal; "ae", "oe" and "ss" are the
// same as their ligatures. Result: negative, 0 or positive (-1, 0, 1); a
// NULL text sorts before every other text.
int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2);

// The character classes (CT_CTYPE1 only: C1_UPPER, C1_LOWER, C1_DIGIT ...,
// and C1_DEFINED for every character the code page defines) of cchSrc
// characters, or of the whole text and its terminator when cchSrc is -1,
// one WORD each into lpCharType. The superscript digits are digits, as on
// Windows. Every locale classifies alike. FALSE with ERROR_INVALID_FLAGS
// for another info type, ERROR_INVALID_PARAMETER for NULL pointers or a
// count of 0 or below -1.
BOOL WINAPI GetStringTypeExA(LCID Locale, DWORD dwInfoType, LPCSTR lpSrcStr, int cchSrc, LPWORD lpCharType);

#define lstrcmpi lstrcmpiA
#define GetStringTypeEx GetStringTypeExA

#ifdef __cplusplus
}
#endif
