// Process and file helpers.
#pragma once

#include <afx.h>

extern "C" {

// Makes the path absolute (against the working directory) and lower case, in
// place. 1 on success; 0 when it cannot be made absolute within 260
// characters, and the path is then unchanged.
int PAFullPath(CString& path);

// 1 when a file or directory matches the path, which may hold the wildcards
// "*" and "?"; `size` (if not null) then receives the low 32 bits of the first
// match's length (0 for a directory). 0 when nothing matches.
int PAFileExists(LPCSTR path, unsigned int* size);

}  // extern "C"
