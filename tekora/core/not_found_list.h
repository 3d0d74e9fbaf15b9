// The process-wide list of file names that PAFindFileInTree did not find.
// The library makes it when it is loaded and frees it when it is unloaded
// (DllMain); in between it grows with every name not found, and loses a name
// only when a caller learns that the file exists after all.
#pragma once

#include <afx.h>

namespace tekora {

void CreateNotFoundList();
void FreeNotFoundList();

// Whether the (lower-case) name was not found before in this process.
bool IsKnownMissing(const CString& name);
void RememberMissing(const CString& name);
// Takes the (lower-case) name off the list, so that the next search for it
// looks at the disk again; nothing when it is not on the list.
void ForgetMissing(const CString& name);

}  // namespace tekora
