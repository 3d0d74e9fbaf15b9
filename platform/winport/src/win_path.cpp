#include "win_path.h"

#include <errno.h>
#include <limits.h>
#include <unistd.h>

#include <cctype>
#include <mutex>

namespace winport {
namespace {

// Pushes the components of `text` (separated by "\" or "/") onto `out`,
// resolving "." and ".." as it goes; ".." at the root stays at the root.
// Each name is told apart where it stands and copied once, into its place.
void AppendComponents(const char* text, std::vector<std::string>* out) {
  const char* p = text;
  while (*p) {
    while (IsSeparator(*p)) ++p;
    const char* start = p;
    while (*p && !IsSeparator(*p)) ++p;
    const size_t length = static_cast<size_t>(p - start);
    if (length == 0 || (length == 1 && start[0] == '.')) continue;
    if (length == 2 && start[0] == '.' && start[1] == '.') {
      if (!out->empty()) out->pop_back();
      continue;
    }
    if (out->empty()) out->reserve(8);
    out->emplace_back(start, length);
  }
}

// The length of the names joined, each after its separator.
size_t JoinedLength(const std::vector<std::string>& components) {
  size_t length = 0;
  for (const std::string& name : components) length += 1 + name.size();
  return length;
}

// The current directory as the program last named it. Windows keeps the
// names of the current directory as they were given (in the case they were
// given), not as the disk spells them; that holds as long as the process is
// still in the directory the names led to.
struct NamedCurrentDirectory {
  std::mutex mutex;
  std::string posix;                    // getcwd() right after the change
  std::vector<std::string> components;  // the names the program gave
};

NamedCurrentDirectory& Named() {
  static NamedCurrentDirectory* named = new NamedCurrentDirectory;  // lives until exit
  return *named;
}

}  // namespace

bool CurrentDirectory(std::vector<std::string>* components) {
  char cwd[PATH_MAX];
  if (!getcwd(cwd, sizeof cwd)) return false;
  NamedCurrentDirectory& named = Named();
  std::lock_guard<std::mutex> lock(named.mutex);
  if (!named.posix.empty() && named.posix == cwd) {
    *components = named.components;
  } else {
    components->clear();
    AppendComponents(cwd, components);
  }
  return true;
}

bool CurrentWindowsDirectory(std::string* path) {
  AbsolutePath current;
  if (!CurrentDirectory(&current.components)) return false;
  *path = JoinWindows(current);
  return true;
}

void NameCurrentDirectory(const std::vector<std::string>& components) {
  char cwd[PATH_MAX];
  if (!getcwd(cwd, sizeof cwd)) return;
  NamedCurrentDirectory& named = Named();
  std::lock_guard<std::mutex> lock(named.mutex);
  named.posix = cwd;
  named.components = components;
}

bool MakeAbsolute(const char* path, AbsolutePath* out) {
  out->components.clear();
  out->trailingSeparator = false;
  if (path == nullptr || *path == '\0') {
    errno = ENOENT;
    return false;
  }
  const char* rest = path;
  bool absolute = false;
  // A drive prefix has no meaning on POSIX: it names the root.
  if (std::isalpha(static_cast<unsigned char>(rest[0])) && rest[1] == ':') {
    rest += 2;
    absolute = true;
  } else if (IsSeparator(rest[0])) {
    absolute = true;
  }
  if (!absolute && !CurrentDirectory(&out->components)) return false;
  AppendComponents(rest, &out->components);
  size_t length = std::char_traits<char>::length(path);
  out->trailingSeparator = IsSeparator(path[length - 1]);
  // As Windows does, a last name loses its trailing dots and spaces; a
  // search pattern keeps them ("*." finds the names without an extension).
  // A name of dots and spaces alone goes, and the one before it is then the
  // last name, so that the full path of a full path is itself.
  while (!out->trailingSeparator && !out->components.empty() &&
         out->components.back().find_first_of("*?") == std::string::npos) {
    std::string& last = out->components.back();
    last.erase(last.find_last_not_of(". ") + 1);
    if (!last.empty()) break;
    out->components.pop_back();
  }
  return true;
}

std::string JoinWindows(const AbsolutePath& path) {
  std::string result;
  result.reserve(JoinedLength(path.components) + 1);
  for (const std::string& name : path.components) {
    result += '\\';
    result += name;
  }
  if (result.empty() || path.trailingSeparator) result += '\\';
  return result;
}

std::string JoinPosix(const std::vector<std::string>& components) {
  std::string result;
  result.reserve(JoinedLength(components));
  for (const std::string& name : components) {
    result += '/';
    result += name;
  }
  return result.empty() ? "/" : result;
}

std::string PosixToWindows(const std::string& posixPath) {
  std::string result = posixPath;
  for (char& c : result)
    if (c == '/') c = '\\';
  return result;
}

}  // namespace winport
