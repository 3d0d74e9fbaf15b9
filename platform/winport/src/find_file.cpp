// FindFirstFileA / FindNextFileA / FindClose: a snapshot of the matching
// names is taken when the search starts; each entry's details are read when
// it is handed out.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
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
  ~FindHandle() override {
    if (folder >= 0) close(folder);
  }

  std::string directory;           // POSIX path of the searched folder
  // The listed folder, open while the search runs (-1 for a search of one
  // name): its entries are read through it, without a lookup of the
  // folder's whole path for each.
  int folder = -1;
  std::vector<std::string> names;  // matches in the order they are handed out
  size_t next = 0;

  bool ClosedByCloseHandle() const override { return false; }
};

std::string EntryPath(const std::string& directory, const std::string& name) {
  return directory == "/" ? "/" + name : directory + "/" + name;
}

// Fills the record for an entry from its own status (`link`, not followed)
// and that of what it leads to (`st`; the same for all but links).
void DescribeFrom(const std::string& name, const struct stat& link, const struct stat& st, WIN32_FIND_DATAA* data) {
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

// The status of an entry of the folder `at` (open, or AT_FDCWD for a full
// path), not followed (`link`) and followed (`st`): only a link has a target
// whose details differ, and one that leads nowhere keeps its own.
bool StatusOf(int at, const char* name, struct stat* link, struct stat* st) {
  if (fstatat(at, name, link, AT_SYMLINK_NOFOLLOW) != 0) return false;
  if (!S_ISLNK(link->st_mode) || fstatat(at, name, st, 0) != 0) *st = *link;
  return true;
}

// Hands out the next entry that still exists.
bool HandOut(FindHandle* find, WIN32_FIND_DATAA* data) {
  while (find->next < find->names.size()) {
    const std::string& name = find->names[find->next++];
    struct stat link, st;
    const bool exists = find->folder >= 0 ? StatusOf(find->folder, name.c_str(), &link, &st)
                                          : StatusOf(AT_FDCWD, EntryPath(find->directory, name).c_str(), &link, &st);
    if (exists) {
      DescribeFrom(name, link, st, data);
      return true;
    }
  }
  return false;
}

// A search of the one entry `name` of `directory`, whose status was just
// read: the entry is handed out at once.
HANDLE HandOutFound(std::string directory, const std::string& name, const struct stat& link, const struct stat& st,
                    WIN32_FIND_DATAA* data) {
  FindHandle* find = new FindHandle;
  find->directory = std::move(directory);
  find->names.push_back(name);
  find->next = 1;
  DescribeFrom(name, link, st, data);
  return winport::RegisterHandle(find);
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

// Takes the names of the open folder that match the pattern; the search
// keeps the folder open. False (with errno set, the folder closed) when it
// cannot be read.
bool ListFolder(int folder, bool isRoot, const std::string& pattern, FindHandle* find) {
  if (folder < 0) return false;
  alignas(struct dirent64) char buffer[16384];
  for (;;) {
    const ssize_t length = getdents64(folder, buffer, sizeof buffer);
    if (length == 0) break;
    if (length < 0) {
      const int error = errno;
      close(folder);
      errno = error;
      return false;
    }
    for (ssize_t at = 0; at < length;) {
      const struct dirent64* entry = reinterpret_cast<const struct dirent64*>(buffer + at);
      at += entry->d_reclen;
      std::string name = entry->d_name;
      if (isRoot && (name == "." || name == "..")) continue;
      if (name.size() >= MAX_PATH) continue;  // does not fit the record
      if (winport::MatchFileName(pattern, name)) find->names.push_back(name);
    }
  }
  find->folder = folder;
  return true;
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
  // A path through a known case step is resolved first: as written it is
  // missing. The steps below give the same entry either way.
  const bool tryAsWritten = !winport::MayTakeKnownStep(absolute.components);
  // A name without wildcards that exists as written, the common probe of a
  // file, takes one lookup; the steps below would give the same entry.
  if (!wildcards && tryAsWritten) {
    exact = winport::JoinPosix(absolute.components);
    struct stat link, st;
    if (StatusOf(AT_FDCWD, exact.c_str(), &link, &st)) {
      absolute.components.pop_back();
      return HandOutFound(winport::JoinPosix(absolute.components), pattern, link, st, lpFindFileData);
    }
  }
  absolute.components.pop_back();
  absolute.trailingSeparator = false;

  // A listing of a folder that exists as written opens it at once; the
  // steps below would find the same folder.
  int listed = -1;
  winport::ResolvedPath folder;
  if (wildcards && tryAsWritten) {
    folder.posix = winport::JoinPosix(absolute.components);
    folder.isRoot = absolute.components.empty();
    listed = open(folder.posix.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  } else if (wildcards) {
    // Likewise a folder through a known case step that exists as written
    // after it.
    folder.posix = winport::ThroughKnownStep(absolute.components);
    if (!folder.posix.empty()) listed = open(folder.posix.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  }
  if (listed < 0) {
    // A folder found missing as written just now is not looked up as
    // written once more.
    const bool missingAsWritten = wildcards && tryAsWritten && errno == ENOENT;
    folder = winport::ResolvePath(std::move(absolute), missingAsWritten);
    if (!folder.found) return Fail(ERROR_PATH_NOT_FOUND);
    // A listing opens the folder, which also tells that it is one; else the
    // folder's status tells it (and a listing's folder that cannot be
    // opened from a missing one).
    if (wildcards) {
      listed = open(folder.posix.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } else {
      // The name as written in the folder found (known to be missing when
      // the folder is spelled as written and was tried so): an entry there
      // also tells that the folder is one.
      const std::string written = EntryPath(folder.posix, pattern);
      struct stat link, st;
      if ((!tryAsWritten || written != exact) && StatusOf(AT_FDCWD, written.c_str(), &link, &st))
        return HandOutFound(folder.posix, pattern, link, st, lpFindFileData);
    }
    if (listed < 0) {
      const int openError = errno;
      struct stat st;
      if (stat(folder.posix.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return Fail(ERROR_PATH_NOT_FOUND);
      errno = openError;  // a listing fails below with the open's error
    }
  }

  FindHandle* find = new FindHandle;
  find->directory = folder.posix;
  if (!wildcards) {
    // The folder is found and holds no entry of the name as written: the
    // entry is the one that matches it without regard to case.
    const std::string match = winport::FindIgnoringCase(folder.posix, pattern);
    if (!match.empty()) find->names.push_back(match);
  } else if (ListFolder(listed, folder.isRoot, pattern, find)) {
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
