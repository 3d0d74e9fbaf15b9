// The project home directory of the CVS queries and the document display.
#pragma once

#include <afx.h>

// The project home as InitHomeDir gives it: "%PHOME%" expanded, lower case,
// made an absolute directory with a trailing backslash. FALSE when PHOME is
// unset or cannot be entered. The working directory is the caller's again
// afterwards.
BOOL GetProjectHome(CString& home);
