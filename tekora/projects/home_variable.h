// The projects home directory as the environment (PHOME) names it.
#pragma once

#include <afx.h>

namespace tekora {

// "%PHOME%" expanded (within 2600 characters); false when the expansion
// fails. An unset PHOME stays the literal text.
bool ExpandHomeVariable(CString& home);

}  // namespace tekora
