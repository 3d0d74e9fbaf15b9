// SHGetSpecialFolderPathA: the shell's special folders on POSIX.
#include <shlobj.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "win_path.h"
#include "winport_root.h"

extern "C" BOOL WINAPI SHGetSpecialFolderPathA(HWND, LPSTR pszPath, int csidl, BOOL fCreate) {
  if (pszPath == NULL || (csidl & ~CSIDL_FLAG_CREATE) != CSIDL_LOCAL_APPDATA) return FALSE;
  if (csidl & CSIDL_FLAG_CREATE) fCreate = TRUE;
  const std::string folder = winport::LocalAppDataFolder();
  if (fCreate ? !winport::MakeFolders(folder) : access(folder.c_str(), F_OK) != 0) return FALSE;
  winport::AbsolutePath absolute;
  if (!winport::MakeAbsolute(folder.c_str(), &absolute)) return FALSE;
  const std::string result = winport::JoinWindows(absolute);
  if (result.size() >= MAX_PATH) return FALSE;
  memcpy(pszPath, result.c_str(), result.size() + 1);
  return TRUE;
}
