// Opening a file with the Windows rules, shared by CreateFileA and the C
// runtime's fopen/_fsopen: path resolution without regard to case, the
// creation dispositions, the read-only attribute, directories refused, and
// the share modes taken before anything is truncated.
#pragma once

#include <windows.h>

#include <string>

namespace winport {

struct FileOpenRequest {
  bool read = false;
  bool write = false;
  bool append = false;                                    // O_APPEND (C runtime "a" modes)
  DWORD shareMode = FILE_SHARE_READ | FILE_SHARE_WRITE;  // FILE_SHARE_* bits
  DWORD disposition = OPEN_EXISTING;                      // CREATE_NEW ... TRUNCATE_EXISTING
  bool createReadOnly = false;                            // FILE_ATTRIBUTE_READONLY for a new file
};

struct FileOpenResult {
  int fd = -1;                   // open descriptor (close-on-exec), or -1
  DWORD error = ERROR_SUCCESS;   // the Windows error when fd is -1
  bool existed = false;          // the file was there before the open
  std::string posixPath;         // where the file is
};

// Opens (or creates) the file named by a Windows path.
FileOpenResult OpenFile(const char* windowsPath, const FileOpenRequest& request);

}  // namespace winport
