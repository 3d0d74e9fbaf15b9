#include "path_resolver.h"

#include <errno.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>

#include <mutex>
#include <utility>

#include "folder_index.h"
#include "win_path.h"

namespace winport {
namespace {

bool EntryExists(const std::string& posixPath) {
  struct stat st;
  return lstat(posixPath.c_str(), &st) == 0;
}

// The last components that walks found missing as written below folders
// that all exist as written, each with what its folder's index answered (an
// entry that matches without regard to case, or none) and the stamp of that
// index. While nothing has changed in that folder, a walk through the same
// folder and component takes the same answer without looking: the folders
// above exist as written (the folder is found by its path), the name as
// written is still missing there, and the answer is still the first match,
// or still none.
struct CaseStep {
  size_t depth = 0;     // the components of the folder
  std::string folder;   // its POSIX path ("/" for the root)
  std::string written;  // the component as written
  std::string match;    // the entry found for it; empty: none
  FolderStamp stamp;

  // Whether the step is about a component of the path, by their names.
  bool OnPath(const std::vector<std::string>& names) const {
    if (stamp.serial == 0 || depth >= names.size() || names[depth] != written) return false;
    std::string above;
    for (size_t i = 0; i < depth; ++i) above += "/" + names[i];
    return (above.empty() ? "/" : above) == folder;
  }
};

// A few steps, for the few folders a caller's paths go through (a home
// directory named in another case, a missing settings folder).
class KnownSteps {
 public:
  // The step that answers a component of the path: true with its depth and
  // answer. A step whose folder has changed is dropped.
  bool Find(const std::vector<std::string>& names, size_t* depth, std::string* match) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (CaseStep& step : m_steps) {
      if (!step.OnPath(names)) continue;
      if (!FolderUnchanged(step.folder, step.stamp)) {
        step = CaseStep();
        continue;
      }
      *depth = step.depth;
      *match = step.match;
      return true;
    }
    return false;
  }

  bool AnyOnPath(const std::vector<std::string>& names) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const CaseStep& step : m_steps)
      if (step.OnPath(names)) return true;
    return false;
  }

  // Keeps the step in place of an earlier one of the same folder and name,
  // else in place of the oldest.
  void Keep(CaseStep step) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (CaseStep& kept : m_steps) {
      if (kept.folder == step.folder && kept.written == step.written) {
        kept = std::move(step);
        return;
      }
    }
    m_steps[m_next] = std::move(step);
    m_next = (m_next + 1) % kCount;
  }

 private:
  static const size_t kCount = 4;
  std::mutex m_mutex;
  CaseStep m_steps[kCount];
  size_t m_next = 0;
};

KnownSteps& Steps() {
  // Never destroyed: paths are resolved from other objects' destructors at
  // exit too.
  static KnownSteps* steps = new KnownSteps;
  return *steps;
}

}  // namespace

bool MayTakeKnownStep(const std::vector<std::string>& components) { return Steps().AnyOnPath(components); }

std::string ThroughKnownStep(std::vector<std::string> components) {
  size_t depth = 0;
  std::string match;
  if (!Steps().Find(components, &depth, &match) || match.empty()) return std::string();
  components[depth] = match;
  return JoinPosix(components);
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
  size_t known = names.size();
  std::string knownMatch;
  const bool stepKnown = Steps().Find(names, &known, &knownMatch);
  if (!missingAsWritten && !stepKnown) {
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
  bool asWritten = true;  // every component so far exists as written
  for (size_t i = 0; i < names.size(); ++i) {
    std::string candidate = current + "/" + names[i];
    if (stepKnown && i < known) {
      current = candidate;  // a folder above the known step
      continue;
    }
    if (i == known || !EntryExists(candidate)) {
      const std::string folder = current.empty() ? "/" : current;
      std::string match;
      if (i == known) {
        match = knownMatch;
      } else {
        FolderStamp stamp;
        match = FindIgnoringCase(folder, names[i], &stamp);
        if (asWritten && stamp.serial != 0) Steps().Keep(CaseStep{i, folder, names[i], match, stamp});
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
