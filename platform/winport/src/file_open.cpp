#include "file_open.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include "path_resolver.h"
#include "share_lock.h"

namespace winport {
namespace {

FileOpenResult Failure(DWORD error) {
  FileOpenResult result;
  result.error = error;
  return result;
}

// The Windows error for a failed open(2), given how far the path resolved.
DWORD OpenError(int error, const ResolvedPath& path) {
  if (error == ENOENT) return path.NotFoundError();
  return WinportErrorFromErrno(error);
}

// "NUL" (also "NUL:" and "\\.\NUL", in any case) is Windows' null device.
bool IsNullDevice(const char* windowsPath) {
  const char* name = windowsPath;
  if (strncmp(name, "\\\\.\\", 4) == 0) name += 4;
  return strcasecmp(name, "nul") == 0 || strcasecmp(name, "nul:") == 0;
}

}  // namespace

FileOpenResult OpenFile(const char* windowsPath, const FileOpenRequest& request) {
  if (windowsPath && IsNullDevice(windowsPath)) {
    // Reads find nothing, writes vanish; no share mode or disposition applies.
    FileOpenResult result;
    result.fd = open("/dev/null", O_CLOEXEC | O_NOCTTY | (request.write ? O_RDWR : O_RDONLY));
    result.error = result.fd < 0 ? WinportErrorFromErrno(errno) : ERROR_SUCCESS;
    result.existed = true;
    result.posixPath = "/dev/null";
    return result;
  }
  ResolvedPath path = ResolvePath(windowsPath);
  if (!path.valid) return Failure(ERROR_PATH_NOT_FOUND);
  if (!path.parentFound) return Failure(ERROR_PATH_NOT_FOUND);

  struct stat st;
  bool existed = path.found && stat(path.posix.c_str(), &st) == 0;
  if (existed && S_ISDIR(st.st_mode)) return Failure(ERROR_ACCESS_DENIED);
  if (path.trailingSeparator || path.isRoot) return Failure(ERROR_INVALID_NAME);

  DWORD disposition = request.disposition;
  if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING)
    return Failure(ERROR_INVALID_PARAMETER);
  if (existed && disposition == CREATE_NEW) return Failure(ERROR_FILE_EXISTS);
  if (!existed && (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING))
    return Failure(path.NotFoundError());
  // The read-only attribute forbids writing whoever asks (root included).
  if (existed && request.write && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR))
    return Failure(ERROR_ACCESS_DENIED);

  // Shared locks need a readable descriptor, so writers open read-write.
  int flags = O_CLOEXEC | O_NOCTTY | (request.write ? O_RDWR : O_RDONLY);
  if (request.append) flags |= O_APPEND;
  bool canLock = true;
  mode_t mode = request.createReadOnly ? 0444 : 0666;

  int fd = -1;
  for (int attempt = 0; attempt < 2 && fd < 0; ++attempt) {
    int createFlags = existed ? 0 : O_CREAT | O_EXCL;
    fd = open(path.posix.c_str(), flags | createFlags, mode);
    if (fd < 0 && errno == EACCES && request.write && !request.read && canLock) {
      // A write-only file: open it write-only; it can check others' denials
      // but cannot announce its own.
      canLock = false;
      flags = (flags & ~O_RDWR) | O_WRONLY;
      fd = open(path.posix.c_str(), flags | createFlags, mode);
    }
    if (fd < 0 && errno == EEXIST && !existed) {
      // Created by someone else just now: it exists after all.
      if (disposition == CREATE_NEW) return Failure(ERROR_FILE_EXISTS);
      existed = true;
      continue;
    }
    if (fd < 0) return Failure(OpenError(errno, path));
  }
  if (fd < 0) return Failure(ERROR_FILE_NOT_FOUND);

  if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    close(fd);
    return Failure(ERROR_ACCESS_DENIED);
  }
  DWORD shareError = AcquireShareLocks(fd, canLock, request.read, request.write, request.shareMode);
  if (shareError != ERROR_SUCCESS) {
    close(fd);
    return Failure(shareError);
  }
  // Only now, with the share modes settled, may an existing file be emptied.
  if (existed && (disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING) &&
      ftruncate(fd, 0) != 0) {
    DWORD error = WinportErrorFromErrno(errno);
    close(fd);
    return Failure(error);
  }

  FileOpenResult result;
  result.fd = fd;
  result.existed = existed;
  result.posixPath = path.posix;
  return result;
}

}  // namespace winport
