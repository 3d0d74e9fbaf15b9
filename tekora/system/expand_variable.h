// An environment text of the string table ("%PHOME%", "%ERRLOG%") expanded
// the way the configuration callbacks and the project lists read it.
#pragma once

#include <afx.h>

namespace tekora {

// Loads string nTextId and expands its environment variables within 2600
// characters into strExpanded. False when the text is missing or the
// expansion fails or does not fit; an unset variable stays as its literal
// "%NAME%", as Windows leaves it.
bool ExpandTextVariable(unsigned int nTextId, CString& strExpanded);

}  // namespace tekora
