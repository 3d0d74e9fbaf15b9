// The subtree search and the search up the tree towards the home directory.
#include "tree_search.h"

#include <direct.h>

#include <tekora/configuration.h>
#include <tekora/core.h>
#include <tekora/system.h>

#include "listed_name.h"

namespace {

using tekora::TreeTarget;

// Folders of the version control system that never hold sources.
bool IsSkippedFolder(const CString& name, const CString& excluded) {
  return name.CompareNoCase("cvs") == 0 || name.CompareNoCase("attic") == 0 ||
         (!excluded.IsEmpty() && name.CompareNoCase(excluded) == 0);
}

bool IsCandidate(const CString& candidate, TreeTarget target) {
  if (target == TreeTarget::kFile) return PAFileExists(candidate, NULL) != 0;
  return PACanEnterDirectory(candidate) != 0;
}

// Searches `name` at `prefix` and below it, depth first, leaving out the
// child `excluded`; the answer is the path found from the working directory.
bool SearchSubtree(const CString& prefix, const CString& name, const CString& excluded,
                   TreeTarget target, CString& answer) {
  const CString candidate = prefix + name;
  // A longer path is one the system cannot take: nothing lies below it.
  if (candidate.GetLength() >= MAX_PATH) return false;
  // The folder's listing gives its subfolders and, for a plain file name,
  // tells whether the file can be there at all; only then is it looked up
  // by name (which decides by the system's own rules). Most folders of a
  // tree do not hold it, and so need no second look. Other names are looked
  // up first, as the search has always done.
  const bool plain = target == TreeTarget::kFile && tekora::IsPlainFileName(name);
  if (!plain && IsCandidate(candidate, target)) {
    answer = candidate;
    return true;
  }
  const CString pattern = prefix + "*.*";
  if (pattern.GetLength() >= MAX_PATH) {
    if (!plain || !IsCandidate(candidate, target)) return false;
    answer = candidate;
    return true;
  }
  bool mayHold = false;
  CStringArray children;
  CFileFind finder;
  BOOL more = finder.FindFile(pattern);
  if (!more) mayHold = true;  // a folder that cannot be listed may still give up a name
  while (more) {
    more = finder.FindNextFile();
    const CString child = finder.GetFileName();
    if (plain && !mayHold && tekora::MayBeNamed(child, name)) mayHold = true;
    // A link to a folder is not followed: one that leads back up the tree
    // would make the search endless, and one that leads out of it would
    // find another tree's files.
    if (!finder.IsDirectory() || finder.IsDots() || finder.MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT))
      continue;
    if (IsSkippedFolder(child, excluded)) continue;
    children.Add(child);
  }
  finder.Close();

  if (plain && mayHold && IsCandidate(candidate, target)) {
    answer = candidate;
    return true;
  }
  for (INT_PTR i = 0; i < children.GetSize(); ++i)
    if (SearchSubtree(prefix + children[i] + "\\", name, CString(), target, answer)) return true;
  return false;
}

// The home directory without its final backslash, as the configuration
// reads it; empty when PHOME names no directory that can be entered.
CString HomeDirectory() {
  PAConfigInt item;
  if (!PAUtilsConfig::InitHomeDir(&item)) return CString();
  CString home = item.GetValue();
  PANormalizeDirectoryNoSlash(home);
  return home;
}

// The ancestors of `start`, nearest first, each searched without the branch
// that leads back to where the search came from. Stops at the home directory
// or at the top of the drive.
bool SearchUpwards(CString start, const CString& name, TreeTarget target, CString& answer) {
  const CString home = HomeDirectory();
  CString prefix = "..\\";
  int remaining = 0;
  for (int i = 0; i < start.GetLength(); ++i) remaining += start[i] == '\\';
  for (; remaining > 0; --remaining) {
    const int slash = start.ReverseFind('\\');
    if (slash < 0 || (!home.IsEmpty() && start.CompareNoCase(home) == 0)) break;
    const CString excluded = start.Mid(slash + 1);
    start.Truncate(slash);
    if (SearchSubtree(prefix, name, excluded, target, answer)) return true;
    prefix += "..\\";
  }
  return false;
}

}  // namespace

namespace tekora {

TreeSearchResult SearchTree(LPCSTR start, CString& name, TreeTarget target) {
  char saved[MAX_PATH];
  // Without the working directory the search could not change back to it.
  if (!_getcwd(saved, MAX_PATH)) return TreeSearchResult::kNotFound;
  CString startDir = start != NULL && *start != '\0' ? CString(start) : CString(saved);
  PANormalizeDirectoryNoSlash(startDir);
  if (startDir.IsEmpty() || _chdir(startDir) != 0) return TreeSearchResult::kNotFound;

  CString answer;
  bool found;
  try {
    found = SearchSubtree(".\\", name, CString(), target, answer) ||
            SearchUpwards(startDir, name, target, answer);
  } catch (CException*) {
    _chdir(saved);  // out of memory: the caller still finds its directory
    throw;
  }
  const bool restored = _chdir(saved) == 0;
  if (!found) return TreeSearchResult::kNotFound;
  answer.MakeLower();
  name = answer;
  return restored ? TreeSearchResult::kFound : TreeSearchResult::kFoundNotRestored;
}

}  // namespace tekora
