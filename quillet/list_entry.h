// The entries of quillet's list file.
#pragma once

#include <afx.h>

// Cleans one line of the list file in place: white space goes at both ends,
// then one pair of enclosing double quotes, or else one pair of single
// quotes, goes with the white space inside it. A lone quote leaves nothing.
void NormalizeListEntry(CString& entry);
