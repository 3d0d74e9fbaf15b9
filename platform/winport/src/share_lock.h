// Windows share modes on POSIX, with open-file-description (OFD) record
// locks on marker bytes far beyond any data. Every open through the layer
// holds a shared lock on the marker of each access it has ("has read",
// "has write") and of each access it denies ("denies read", "denies write",
// "denies delete"); an open conflicts with another when one holds a marker
// that the other's access or denial rules out. OFD locks belong to the open
// file, not the process, so opens in the same process conflict exactly as
// opens in different processes do, and closing the descriptor releases them.
#pragma once

#include <windows.h>

#include <string>

namespace winport {

// Takes the locks describing an open on `fd` with the given access and
// FILE_SHARE_* mode, then checks for conflicting holders. `canLock` is false
// when fd is not readable (shared locks need read access): then the open
// only checks and announces nothing. Result: ERROR_SUCCESS, or
// ERROR_SHARING_VIOLATION (the caller closes fd, which drops what was taken).
DWORD AcquireShareLocks(int fd, bool canLock, bool read, bool write, DWORD shareMode);

// Whether the file may be deleted or renamed now: ERROR_SHARING_VIOLATION
// while an open through the layer denies delete, else ERROR_SUCCESS.
DWORD CheckDeleteAllowed(const std::string& posixPath);

}  // namespace winport
