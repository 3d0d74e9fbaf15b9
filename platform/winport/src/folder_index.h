// Finding a directory entry without regard to case. A lookup of a name that
// does not exist as written would read the whole directory; in a directory
// with many entries (a crowded temporary folder) the layer keeps an index of
// its names instead, kept current by the system's change notifications, so
// that every change made since the last call, by this process or any other,
// is seen. Where notifications are unavailable every lookup reads the
// directory.
#pragma once

#include <stdint.h>

#include <string>

namespace winport {

// What an answer from a directory's index rests on: the index, and the
// changes reported in the directory up to then. Serial 0: no index.
struct FolderStamp {
  uint64_t serial = 0;
  uint64_t changes = 0;
};

// The entry of `directory` (a POSIX path) that matches `name` without regard
// to ASCII case; when several do, the first in byte order. Empty when none
// does or the directory cannot be read. "." and ".." are never found. With
// a `stamp`, an answer from the directory's index is stamped (else the
// stamp has serial 0).
std::string FindIgnoringCase(const std::string& directory, const std::string& name,
                             FolderStamp* stamp = nullptr);

// True while the directory (by the same path) has the stamped index and no
// change has been reported in it since: its entries are those the stamped
// answer saw, and every name absent then is absent still.
bool FolderUnchanged(const std::string& directory, const FolderStamp& stamp);

// The same answer, always by reading the whole directory.
std::string ScanIgnoringCase(const std::string& directory, const std::string& name);

}  // namespace winport
