// Finding a directory entry without regard to case. A lookup of a name that
// does not exist as written would read the whole directory; in a directory
// with many entries (a crowded temporary folder) the layer keeps an index of
// its names instead, kept current by the system's change notifications, so
// that every change made since the last call, by this process or any other,
// is seen. Where notifications are unavailable every lookup reads the
// directory.
#pragma once

#include <string>

namespace winport {

// The entry of `directory` (a POSIX path) that matches `name` without regard
// to ASCII case; when several do, the first in byte order. Empty when none
// does or the directory cannot be read. "." and ".." are never found.
std::string FindIgnoringCase(const std::string& directory, const std::string& name);

// The same answer, always by reading the whole directory.
std::string ScanIgnoringCase(const std::string& directory, const std::string& name);

}  // namespace winport
