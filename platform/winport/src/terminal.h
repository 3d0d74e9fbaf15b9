// The controlling terminal, the console device of the layer.
#pragma once

#include <string>

namespace winport {

// Opens the controlling terminal (/dev/tty) for reading and writing; -1 when
// the process has none. Opened afresh on each call, so a process that leaves
// its terminal (or a child in a new session) is never written to the old one.
int OpenTerminal();

// Writes all bytes to fd; false on failure.
bool WriteFully(int fd, const char* data, size_t length);

}  // namespace winport
