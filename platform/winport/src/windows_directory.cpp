// GetWindowsDirectoryA: the layer's stand-in for the Windows directory.
#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>

#include "win_path.h"
#include "winport_root.h"

extern "C" UINT WINAPI GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) {
  const std::string folder = winport::WinportRoot() + "/windows";
  if (!winport::MakeFolders(folder)) {
    SetLastError(WinportErrorFromErrno(errno));
    return 0;
  }
  winport::AbsolutePath absolute;
  if (!winport::MakeAbsolute(folder.c_str(), &absolute)) {
    SetLastError(WinportErrorFromErrno(errno));
    return 0;
  }
  const std::string result = winport::JoinWindows(absolute);
  if (!lpBuffer || uSize < result.size() + 1) return static_cast<UINT>(result.size() + 1);
  memcpy(lpBuffer, result.c_str(), result.size() + 1);
  return static_cast<UINT>(result.size());
}
