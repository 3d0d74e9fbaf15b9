// File search in the project tree: a file or directory found by its bare
// name below a start directory or below one of its ancestors, up to the
// projects home directory (PHOME).
#pragma once

#include <afx.h>

extern "C" {

// Finds the file `name` (lower-cased in place first) below `start` (null or
// empty: the working directory), then below each ancestor of it in turn up
// to the home directory (each time leaving out the branch searched
// already); folders named CVS or Attic and links to folders are never
// entered. Prints "Searching file: <name>\r\n" on standard output. 1 with
// `name` replaced by the path found relative to `start`, in lower case
// (".\sub\f.h", "..\x\f.h"). 0 when it is nowhere, and then the name goes
// on the process's not-found list, so that later searches for it answer 0
// at once (still printing the line). A name holding "@" gives 0 without
// printing or remembering anything. The working directory is the same
// afterwards (0 if it could not be changed back).
int PAFindFileInTree(LPCSTR start, CString& name);

// Finds the directory `name` the same way: 1 with `name` replaced by the
// relative path found, in lower case; "." and ".." give 1 at once and stay
// as they are. 0 when there is none. Prints nothing, keeps no list, and
// leaves the working directory as it was.
int PAFindDirectoryInTree(LPCSTR start, CString& name);

}  // extern "C"
