// ReplaceFileA: a new version of a file takes the old one's place in one
// rename, with the old one's permissions and owner.
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "path_resolver.h"
#include "share_lock.h"

namespace {

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

bool IsReadOnly(const struct stat& st) { return (st.st_mode & S_IWUSR) == 0; }

void SyncPath(const std::string& path, int flags) {
  int fd = open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == 0 || slash == std::string::npos ? std::string("/") : path.substr(0, slash);
}

}  // namespace

extern "C" BOOL WINAPI ReplaceFileA(LPCSTR lpReplacedFileName, LPCSTR lpReplacementFileName,
                                    LPCSTR lpBackupFileName, DWORD dwReplaceFlags, LPVOID, LPVOID) {
  if (!lpReplacedFileName || !lpReplacementFileName || lpBackupFileName) return Fail(ERROR_INVALID_PARAMETER);

  winport::ResolvedPath replaced = winport::ResolvePath(lpReplacedFileName);
  if (!replaced.valid) return Fail(ERROR_PATH_NOT_FOUND);
  if (!replaced.found) return Fail(replaced.NotFoundError());
  // A link stays a link: the file it names gets the new content.
  char real[PATH_MAX];
  if (!realpath(replaced.posix.c_str(), real)) return Fail(WinportErrorFromErrno(errno));
  const std::string target = real;
  struct stat targetStat;
  if (stat(target.c_str(), &targetStat) != 0) return Fail(WinportErrorFromErrno(errno));
  if (S_ISDIR(targetStat.st_mode) || IsReadOnly(targetStat)) return Fail(ERROR_UNABLE_TO_REMOVE_REPLACED);

  winport::ResolvedPath replacement = winport::ResolvePath(lpReplacementFileName);
  if (!replacement.valid) return Fail(ERROR_PATH_NOT_FOUND);
  if (!replacement.found) return Fail(replacement.NotFoundError());
  struct stat sourceStat;
  if (lstat(replacement.posix.c_str(), &sourceStat) != 0) return Fail(WinportErrorFromErrno(errno));
  if (!S_ISREG(sourceStat.st_mode)) return Fail(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
  if (replacement.posix == target) return Fail(ERROR_SHARING_VIOLATION);  // a file cannot replace itself

  DWORD shareError = winport::CheckDeleteAllowed(target);
  if (shareError == ERROR_SUCCESS) shareError = winport::CheckDeleteAllowed(replacement.posix);
  if (shareError != ERROR_SUCCESS) return Fail(shareError);

  const char* source = replacement.posix.c_str();
  const mode_t targetMode = targetStat.st_mode & 07777;
  if ((sourceStat.st_mode & 07777) != targetMode && chmod(source, targetMode) != 0)
    return Fail(WinportErrorFromErrno(errno));
  if (sourceStat.st_uid != targetStat.st_uid || sourceStat.st_gid != targetStat.st_gid) {
    if (chown(source, targetStat.st_uid, targetStat.st_gid) != 0) {
      // Only a privileged process may give a file away; others keep their own.
    }
  }
  if (dwReplaceFlags & REPLACEFILE_WRITE_THROUGH) SyncPath(replacement.posix, O_RDONLY);

  if (renameat(AT_FDCWD, source, AT_FDCWD, target.c_str()) != 0) {
    const int renameErrno = errno;
    chmod(source, sourceStat.st_mode & 07777);
    return Fail(renameErrno == EXDEV ? ERROR_UNABLE_TO_MOVE_REPLACEMENT : WinportErrorFromErrno(renameErrno));
  }
  if (dwReplaceFlags & REPLACEFILE_WRITE_THROUGH) SyncPath(FolderOf(target), O_RDONLY | O_DIRECTORY);
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}
