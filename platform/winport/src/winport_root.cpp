// WinportRoot: where the layer's Windows folders live on POSIX.
#include "winport_root.h"

#include <errno.h>
#include <pwd.h>
#include <sys/stat.h>
#include <stdlib.h>
#include <unistd.h>

namespace winport {

namespace {

// The user's home folder with a trailing "/".
std::string HomeFolder() {
  const char* home = getenv("HOME");
  if (!home || !*home) {
    struct passwd* entry = getpwuid(getuid());
    home = entry && entry->pw_dir ? entry->pw_dir : "/";
  }
  std::string base = home;
  if (base.empty() || base.back() != '/') base += '/';
  return base;
}

}  // namespace

std::string WinportRoot() {
  const char* root = getenv("WINPORT_ROOT");
  if (root && *root) return root;
  const char* config = getenv("XDG_CONFIG_HOME");
  if (config && *config) return std::string(config) + "/winport";
  return HomeFolder() + ".config/winport";
}

std::string LocalAppDataFolder() {
  const char* data = getenv("XDG_DATA_HOME");
  std::string folder = data && *data ? std::string(data) : HomeFolder() + ".local/share";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

bool MakeFolders(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash))) return false;
  return mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
}

}  // namespace winport
