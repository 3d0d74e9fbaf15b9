// The POSIX file descriptor behind a file handle of the layer, for the calls
// that hand a handle to another process (a child's standard handles).
#pragma once

#include <windows.h>

namespace winport {

// The descriptor of a handle made by CreateFileA or GetStdHandle; -1 for any
// other value.
int FileDescriptorOf(HANDLE handle);

}  // namespace winport
