// Text-mode streams: a real FILE* (glibc's fopencookie) whose bytes on disk
// have CR LF line ends and whose bytes in memory have LF. A CR that is not
// followed by LF is data, and so is every other byte (0x1A included).
//
// Positions (ftell, fseek) count the bytes as the program sees them, so that
// the stream's own buffering stays exact: a position from ftell can be given
// to fseek, and fseek(SEEK_END) + ftell gives the number of bytes a full read
// returns. Seeking maps such a position onto the file by scanning it.
#pragma once

#include <stdio.h>

namespace winport {

// Wraps an open descriptor (owned from now on, closed by fclose) into a text
// stream. `glibcMode` is "r", "r+", "w", "w+", "a" or "a+"; `append` means
// the descriptor has O_APPEND. NULL (descriptor closed) on failure.
FILE* OpenTextStream(int fd, const char* glibcMode, bool append);

}  // namespace winport
