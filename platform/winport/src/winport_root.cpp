// WinportRoot: where the layer's Windows folders live on POSIX.
#include "winport_root.h"

#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

namespace winport {

std::string WinportRoot() {
  const char* root = getenv("WINPORT_ROOT");
  if (root && *root) return root;
  const char* config = getenv("XDG_CONFIG_HOME");
  if (config && *config) return std::string(config) + "/winport";
  const char* home = getenv("HOME");
  if (!home || !*home) {
    struct passwd* entry = getpwuid(getuid());
    home = entry && entry->pw_dir ? entry->pw_dir : "/";
  }
  std::string base = home;
  if (base.empty() || base.back() != '/') base += '/';
  return base + ".config/winport";
}

}  // namespace winport
