// FindFirstFileA / FindNextFileA / FindClose: a snapshot of the matching
// names is taken when the search starts; each entry's details are read when
// it is handed out.
#include <dirent.h>
#include <errno.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "file_ops.h"
#include "file_time.h"
#include "folder_index.h"
#include "handle_table.h"
#include "path_resolver.h"
#include "win_path.h"
#include "wildcard.h"

namespace {

class FindHandle : public winport::HandleObject {
 public:
  std::string directory;           // POSIX path of the searched folder
  std::vector<std::string> names;  // matches in the order they are handed out
  size_t next = 0;

  bool ClosedByCloseHandle() const override { return false; }
};

std::string EntryPath(const std::string& directory, const std::string& name) {
  return directory == "/" ? "/" + name : directory + "/" + name;
}

// Fills the record for the entry at `path` whose own status (not followed)
// is `link`.
void DescribeFrom(const std::string& path, const std::string& name, const struct stat& link,
                  WIN32_FIND_DATAA* data) {
  struct stat st = link;
  // Only a link has a target whose details differ; one that leads nowhere
  // keeps its own.
  if (S_ISLNK(link.st_mode) && stat(path.c_str(), &st) != 0) st = link;
  memset(data, 0, sizeof *data);
  data->dwFileAttributes = winport::AttributesOf(st);
  // Walks of a tree tell links from folders by this mark, so that a link
  // back up the tree does not make them endless.
  if (S_ISLNK(link.st_mode)) {
    data->dwFileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    data->dwReserved0 = IO_REPARSE_TAG_SYMLINK;
  }
  data->ftCreationTime = winport::FileTimeFromTimespec(st.st_ctim);
  data->ftLastAccessTime = winport::FileTimeFromTimespec(st.st_atim);
  data->ftLastWriteTime = winport::FileTimeFromTimespec(st.st_mtim);
  if (!S_ISDIR(st.st_mode)) {
    data->nFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(st.st_size) >> 32);
    data->nFileSizeLow = static_cast<DWORD>(st.st_size);
  }
  memcpy(data->cFileName, name.c_str(), name.size() + 1);
}

// Fills the record for one entry; false when the entry is gone.
bool Describe(const std::string& directory, const std::string& name, WIN32_FIND_DATAA* data) {
  const std::string path = EntryPath(directory, name);
  struct stat link;
  if (lstat(path.c_str(), &link) != 0) return false;
  DescribeFrom(path, name, link, data);
  return true;
}

// Hands out the next entry that still exists.
bool HandOut(FindHandle* find, WIN32_FIND_DATAA* data) {
  while (find->next < find->names.size()) {
    const std::string& name = find->names[find->next++];
    if (Describe(find->directory, name, data)) return true;
  }
  return false;
}

// Names in the order Windows lists a folder: "." and ".." first, then by
// name without regard to case.
bool ListingOrder(const std::string& a, const std::string& b) {
  bool aDot = a == "." || a == "..", bDot = b == "." || b == "..";
  if (aDot != bDot) return aDot;
  int byCase = strcasecmp(a.c_str(), b.c_str());
  if (byCase != 0) return byCase < 0;
  return a < b;
}

HANDLE Fail(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

extern "C" HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
  if (!lpFileName || !lpFindFileData) return Fail(ERROR_INVALID_PARAMETER);
  winport::AbsolutePath absolute;
  if (!winport::MakeAbsolute(lpFileName, &absolute)) return Fail(ERROR_PATH_NOT_FOUND);
  // A search names its entries by the last component: "dir\" and "\" name none.
  if (absolute.trailingSeparator || absolute.components.empty()) return Fail(ERROR_FILE_NOT_FOUND);

  std::string pattern = absolute.components.back();
  const bool wildcards = winport::HasWildcards(pattern);
  std::string exact;  // the path as written, when it names one entry
  // A name without wildcards that exists as written, the common probe of a
  // file, takes one lookup; the steps below would give the same entry.
  if (!wildcards) {
    exact = winport::JoinPosix(absolute.components);
    struct stat link;
    if (lstat(exact.c_str(), &link) == 0) {
      FindHandle* find = new FindHandle;
      absolute.components.pop_back();
      find->directory = winport::JoinPosix(absolute.components);
      find->names.push_back(pattern);
      find->next = 1;
      DescribeFrom(exact, pattern, link, lpFindFileData);
      return winport::RegisterHandle(find);
    }
  }
  absolute.components.pop_back();
  absolute.trailingSeparator = false;
  winport::ResolvedPath folder = winport::ResolvePath(winport::JoinWindows(absolute).c_str());
  struct stat st;
  if (!folder.found || stat(folder.posix.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
    return Fail(ERROR_PATH_NOT_FOUND);

  FindHandle* find = new FindHandle;
  find->directory = folder.posix;
  if (!wildcards) {
    // The folder is found; the entry is the name as written if it exists
    // there (known not to when the folder is spelled as written), else the
    // one that matches it without regard to case.
    struct stat link;
    const std::string written = EntryPath(folder.posix, pattern);
    if (written != exact && lstat(written.c_str(), &link) == 0) {
      find->names.push_back(pattern);
    } else {
      const std::string match = winport::FindIgnoringCase(folder.posix, pattern);
      if (!match.empty()) find->names.push_back(match);
    }
  } else if (DIR* dir = opendir(folder.posix.c_str())) {
    bool isRoot = folder.isRoot;
    while (struct dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (isRoot && (name == "." || name == "..")) continue;
      if (name.size() >= MAX_PATH) continue;  // does not fit the record
      if (winport::MatchFileName(pattern, name)) find->names.push_back(name);
    }
    closedir(dir);
    std::sort(find->names.begin(), find->names.end(), ListingOrder);
  } else {
    DWORD error = WinportErrorFromErrno(errno);
    delete find;
    return Fail(error);
  }
  if (!HandOut(find, lpFindFileData)) {
    delete find;
    return Fail(ERROR_FILE_NOT_FOUND);
  }
  return winport::RegisterHandle(find);
}

extern "C" BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
  FindHandle* find = winport::LookupHandle<FindHandle>(hFindFile);
  if (!find) return FALSE;
  if (!lpFindFileData) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!HandOut(find, lpFindFileData)) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  return TRUE;
}

extern "C" BOOL WINAPI FindClose(HANDLE hFindFile) {
  if (!winport::LookupHandle<FindHandle>(hFindFile)) return FALSE;
  delete winport::UnregisterHandle(hFindFile);
  return TRUE;
}
