// GetWindowsDirectoryA: the layer's stand-in for the Windows directory.
#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>

#include "win_path.h"
#include "winport_root.h"

namespace {

// Creates the folder and every missing folder above it (mkdir -p).
bool MakeFolders(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash))) return false;
  return mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
}

}  // namespace

extern "C" UINT WINAPI GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) {
  const std::string folder = winport::WinportRoot() + "/windows";
  if (!MakeFolders(folder)) {
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
