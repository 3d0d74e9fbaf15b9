#include "path_resolver.h"

#include <errno.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>

#include <utility>

#include "folder_index.h"
#include "win_path.h"

namespace winport {
namespace {

bool EntryExists(const std::string& posixPath) {
  struct stat st;
  return lstat(posixPath.c_str(), &st) == 0;
}

}  // namespace

ResolvedPath ResolvePath(const char* windowsPath) {
  AbsolutePath absolute;
  if (!MakeAbsolute(windowsPath, &absolute)) return ResolvedPath();
  return ResolvePath(std::move(absolute), false);
}

ResolvedPath ResolvePath(AbsolutePath absolute, bool missingAsWritten) {
  ResolvedPath result;
  result.valid = true;
  result.trailingSeparator = absolute.trailingSeparator;
  std::vector<std::string>& names = absolute.components;
  if (names.empty()) {
    result.posix = "/";
    result.found = result.parentFound = result.isRoot = true;
    return result;
  }

  // Most paths exist exactly as written; one lookup settles those.
  if (!missingAsWritten) {
    std::string exact = JoinPosix(names);
    if (EntryExists(exact)) {
      result.posix = exact;
      result.leaf = names.back();
      result.found = result.parentFound = true;
      return result;
    }
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
      // Most often only this component differed in case: when the rest
      // exists as written, one lookup settles it, as one per component would.
      if (i + 2 < names.size()) {
        std::string whole = candidate;
        for (size_t j = i + 1; j < names.size(); ++j) whole += "/" + names[j];
        if (EntryExists(whole)) {
          current = whole;
          break;
        }
      }
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
