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

// The last component that a walk of this thread found without regard to
// case below folders that all exist as written, with the stamp of the index
// that answered. While nothing has changed in that folder, a walk through
// the same folder and component takes the same entry without looking: the
// folders above exist as written (the folder is found by its path), the
// name as written is still missing there, and the entry found is still the
// first match.
struct CaseStep {
  size_t depth = 0;     // the components of the folder
  std::string folder;   // its POSIX path ("/" for the root)
  std::string written;  // the component as written
  std::string match;    // the entry found for it
  FolderStamp stamp;
};
thread_local CaseStep t_lastStep;

// The component of the path that the last step answers, or names.size().
size_t KnownStep(const std::vector<std::string>& names) {
  const CaseStep& step = t_lastStep;
  if (step.stamp.serial == 0 || step.depth >= names.size() || names[step.depth] != step.written) return names.size();
  std::string folder;
  for (size_t i = 0; i < step.depth; ++i) folder += "/" + names[i];
  if ((folder.empty() ? "/" : folder) != step.folder) return names.size();
  return FolderUnchanged(step.folder, step.stamp) ? step.depth : names.size();
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
  const size_t known = KnownStep(names);
  bool asWritten = true;  // every component so far exists as written
  for (size_t i = 0; i < names.size(); ++i) {
    std::string candidate = current + "/" + names[i];
    if (i < known && known < names.size()) {
      current = candidate;  // a folder above the known step
      continue;
    }
    if (i == known || !EntryExists(candidate)) {
      const std::string folder = current.empty() ? "/" : current;
      std::string match;
      if (i == known) {
        match = t_lastStep.match;
      } else {
        FolderStamp stamp;
        match = FindIgnoringCase(folder, names[i], &stamp);
        if (asWritten && stamp.serial != 0 && !match.empty()) t_lastStep = CaseStep{i, folder, names[i], match, stamp};
      }
      if (match.empty()) {
        missingAt = i;
        break;
      }
      asWritten = false;
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
