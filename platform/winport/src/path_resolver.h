// The one resolver from Windows paths to POSIX paths that every call of the
// layer uses. Each component is taken as written when such an entry exists,
// else the entry that matches it without regard to case (the first in byte
// order if several do); a missing component keeps the name as given, so a
// new file gets the name its creator chose.
#pragma once

#include <windows.h>

#include <string>

#include "win_path.h"

namespace winport {

struct ResolvedPath {
  bool valid = false;        // the path could be made absolute at all
  std::string posix;         // the path to hand to the system
  std::string leaf;          // the last component as on disk (or as given when missing)
  bool found = false;        // every component exists
  bool parentFound = false;  // every component but the last exists
  bool isRoot = false;       // the path names the root directory
  bool trailingSeparator = false;

  // The Windows error for a path that was not found: ERROR_FILE_NOT_FOUND
  // when only the last component is missing, else ERROR_PATH_NOT_FOUND.
  DWORD NotFoundError() const {
    return valid && parentFound ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
  }
};

// Resolves a Windows (or POSIX) path against the file system.
ResolvedPath ResolvePath(const char* windowsPath);
// The same for a path already made absolute. With `missingAsWritten` the
// caller has just failed to find the path as written, and the lookup of the
// whole path as written is left out: the walk one component at a time gives
// the same answer without it.
ResolvedPath ResolvePath(AbsolutePath absolute, bool missingAsWritten);

// True when the path goes through a component that walks
// found missing as written a while ago (told by the names alone, without a
// look at the disk): such a path is likely missing as written, and worth
// resolving before trying it as written.
bool MayTakeKnownStep(const std::vector<std::string>& components);
// The POSIX path through the known step that answers a component of the
// path with an entry, the components after it as written, not looked up
// (a caller that opens it finds out whether they exist so, as the walk
// would take them); empty when no known step answers the path so.
std::string ThroughKnownStep(std::vector<std::string> components);

}  // namespace winport
