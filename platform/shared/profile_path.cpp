// ProfilePath: a bare profile name is in the Windows directory.
#include "profile_path.h"

namespace winport {
namespace profile {

std::string ProfilePath(LPCSTR fileName) {
  const std::string name = fileName ? fileName : "win.ini";
  if (name.find_first_of("\\/:") != std::string::npos) return name;
  char folder[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return name;
  return std::string(folder) + "\\" + name;
}

}  // namespace profile
}  // namespace winport
