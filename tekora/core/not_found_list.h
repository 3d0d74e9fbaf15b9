// The process-wide list of file names that PAFindFileInTree did not find.
// The library makes it when it is loaded and frees it when it is unloaded
// (DllMain); in between it only grows.
#pragma once

#include <afx.h>

namespace tekora {

void CreateNotFoundList();
void FreeNotFoundList();

// Whether the (lower-case) name was not found before in this process.
bool IsKnownMissing(const CString& name);
void RememberMissing(const CString& name);

}  // namespace tekora
