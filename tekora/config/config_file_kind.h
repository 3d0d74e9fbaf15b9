// The test that tells the suite's configuration files apart.
#pragma once

#include <afx.h>

namespace tekora {

// 1 when the value of MAIN's GUID in the file equals the string table text
// of `guidId` exactly (case-sensitive); else 0.
int HasFileGuid(LPCSTR path, int guidId);

// PAWinProject::IsProjectFile; `size` (when not null) takes the size the
// check of the file found, and is left alone when it found no file.
int IsProjectFile(LPCSTR path, unsigned int* size);

}  // namespace tekora
