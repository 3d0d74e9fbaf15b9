// The symbolic names of Windows language identifiers.
#pragma once

#include <afx.h>

extern "C" {

// The names of the constants that make up the language identifier
// `languageId` (a LANGID): the primary language ("LANG_GERMAN") into
// `language` and the sublanguage ("SUBLANG_GERMAN_SWISS") into
// `sublanguage`. The sublanguage is "SUBLANG_DEFAULT" for languages without
// their own sublanguage names. 1 when the primary language is known; 0
// otherwise, with `language` unchanged and `sublanguage` "SUBLANG_DEFAULT".
int PAGetLanguageNames(unsigned int languageId, CString& language, CString& sublanguage);

}  // extern "C"
