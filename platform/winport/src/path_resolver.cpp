#include "path_resolver.h"

#include <dirent.h>
#include <errno.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>

#include "win_path.h"

namespace winport {
namespace {

bool EntryExists(const std::string& posixPath) {
  struct stat st;
  return lstat(posixPath.c_str(), &st) == 0;
}

// The entry of `directory` that matches `name` without regard to case; when
// several do, the first in byte order. Empty when none does.
std::string FindIgnoringCase(const std::string& directory, const std::string& name) {
  DIR* dir = opendir(directory.c_str());
  if (!dir) return std::string();
  std::string best;
  while (struct dirent* entry = readdir(dir)) {
    const char* candidate = entry->d_name;
    if (strcmp(candidate, ".") == 0 || strcmp(candidate, "..") == 0) continue;
    if (strcasecmp(candidate, name.c_str()) != 0) continue;
    if (best.empty() || strcmp(candidate, best.c_str()) < 0) best = candidate;
  }
  closedir(dir);
  return best;
}

}  // namespace

ResolvedPath ResolvePath(const char* windowsPath) {
  ResolvedPath result;
  AbsolutePath absolute;
  if (!MakeAbsolute(windowsPath, &absolute)) return result;
  result.valid = true;
  result.trailingSeparator = absolute.trailingSeparator;
  std::vector<std::string>& names = absolute.components;
  if (names.empty()) {
    result.posix = "/";
    result.found = result.parentFound = result.isRoot = true;
    return result;
  }

  // Most paths exist exactly as written; one lookup settles those.
  std::string exact = JoinPosix(names);
  if (EntryExists(exact)) {
    result.posix = exact;
    result.leaf = names.back();
    result.found = result.parentFound = true;
    return result;
  }

  std::string current;
  size_t missingAt = names.size();
  for (size_t i = 0; i < names.size(); ++i) {
    std::string candidate = current + "/" + names[i];
    if (!EntryExists(candidate)) {
      std::string match = FindIgnoringCase(current.empty() ? "/" : current, names[i]);
      if (match.empty()) {
        missingAt = i;
        break;
      }
      names[i] = match;
      candidate = current + "/" + match;
    }
    current = candidate;
  }
  result.posix = JoinPosix(names);
  result.leaf = names.back();
  result.found = missingAt == names.size();
  result.parentFound = missingAt + 1 >= names.size();
  return result;
}

}  // namespace winport
