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

// The last components that the walks of this thread found missing as
// written below folders that all exist as written, each with what its
// folder's index answered (an entry that matches without regard to case, or
// none) and the stamp of that index. While nothing has changed in that
// folder, a walk through the same folder and component takes the same
// answer without looking: the folders above exist as written (the folder is
// found by its path), the name as written is still missing there, and the
// answer is still the first match, or still none.
struct CaseStep {
  size_t depth = 0;     // the components of the folder
  std::string folder;   // its POSIX path ("/" for the root)
  std::string written;  // the component as written
  std::string match;    // the entry found for it; empty: none
  FolderStamp stamp;
};
// A few, for the few folders a caller's paths go through (a home directory
// named in another case, a missing settings folder).
const size_t kKnownSteps = 4;
thread_local CaseStep t_knownSteps[kKnownSteps];
thread_local size_t t_nextStep = 0;

// Keeps the step in place of an earlier one of the same folder and name,
// else in place of the oldest.
void KeepStep(CaseStep step) {
  for (CaseStep& kept : t_knownSteps) {
    if (kept.folder == step.folder && kept.written == step.written) {
      kept = std::move(step);
      return;
    }
  }
  t_knownSteps[t_nextStep] = std::move(step);
  t_nextStep = (t_nextStep + 1) % kKnownSteps;
}

// Whether the step is about a component of the path, by their names.
bool StepOnPath(const CaseStep& step, const std::vector<std::string>& names) {
  if (step.stamp.serial == 0 || step.depth >= names.size() || names[step.depth] != step.written) return false;
  std::string folder;
  for (size_t i = 0; i < step.depth; ++i) folder += "/" + names[i];
  return (folder.empty() ? "/" : folder) == step.folder;
}

// The known step that answers a component of the path, or null.
const CaseStep* KnownStep(const std::vector<std::string>& names) {
  for (const CaseStep& step : t_knownSteps)
    if (StepOnPath(step, names) && FolderUnchanged(step.folder, step.stamp)) return &step;
  return nullptr;
}

}  // namespace

bool MayTakeKnownStep(const std::vector<std::string>& components) {
  for (const CaseStep& step : t_knownSteps)
    if (StepOnPath(step, components)) return true;
  return false;
}

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

  // Most paths exist exactly as written; one lookup settles those. A path
  // through a known step does not: its name as written is missing.
  const CaseStep* knownStep = KnownStep(names);
  if (!missingAsWritten && knownStep == nullptr) {
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
  const size_t known = knownStep != nullptr ? knownStep->depth : names.size();
  bool asWritten = true;  // every component so far exists as written
  for (size_t i = 0; i < names.size(); ++i) {
    std::string candidate = current + "/" + names[i];
    if (knownStep != nullptr && i < known) {
      current = candidate;  // a folder above the known step
      continue;
    }
    if (i == known || !EntryExists(candidate)) {
      const std::string folder = current.empty() ? "/" : current;
      std::string match;
      if (i == known) {
        match = knownStep->match;
      } else {
        FolderStamp stamp;
        match = FindIgnoringCase(folder, names[i], &stamp);
        if (asWritten && stamp.serial != 0) KeepStep(CaseStep{i, folder, names[i], match, stamp});
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
