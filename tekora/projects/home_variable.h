// The projects home directory as the environment (PHOME) names it.
#pragma once

#include <afx.h>

namespace tekora {

// "%PHOME%" expanded (within 2600 characters); false when the expansion
// fails. An unset PHOME stays the literal text.
bool ExpandHomeVariable(CString& home);

// The home directory in canonical form: PHOME expanded, lower case, absolute,
// with one trailing "\". False when it names no directory that can be
// entered. The working directory is the same afterwards.
bool ReadHomeDirectory(CString& home);

}  // namespace tekora
