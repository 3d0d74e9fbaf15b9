// Deleting, moving, copying and the directory calls, with the Windows rules.
#include "file_ops.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "file_open.h"
#include "path_resolver.h"
#include "share_lock.h"
#include "win_path.h"

namespace winport {
namespace {

bool IsReadOnlyFile(const struct stat& st) { return S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR); }

// Copies the bytes of one open file into another.
DWORD CopyData(int from, int to) {
  std::vector<char> buffer(256 * 1024);
  for (;;) {
    ssize_t n = read(from, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return WinportErrorFromErrno(errno);
    if (n == 0) return ERROR_SUCCESS;
    for (ssize_t done = 0; done < n;) {
      ssize_t w = write(to, buffer.data() + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) return w == 0 ? ERROR_DISK_FULL : WinportErrorFromErrno(errno);
      done += w;
    }
  }
}

// CopyFileA's work: the copy keeps the source's read-only attribute and last
// write time.
DWORD CopyPath(const char* from, const char* to, bool failIfExists) {
  FileOpenRequest sourceRequest;
  sourceRequest.read = true;
  sourceRequest.shareMode = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  FileOpenResult source = OpenFile(from, sourceRequest);
  if (source.fd < 0) return source.error;
  struct stat st;
  if (fstat(source.fd, &st) != 0) {
    DWORD error = WinportErrorFromErrno(errno);
    close(source.fd);
    return error;
  }
  FileOpenRequest targetRequest;
  targetRequest.write = true;
  targetRequest.shareMode = 0;
  targetRequest.disposition = failIfExists ? CREATE_NEW : CREATE_ALWAYS;
  FileOpenResult target = OpenFile(to, targetRequest);
  if (target.fd < 0) {
    close(source.fd);
    return target.error;
  }
  DWORD error = CopyData(source.fd, target.fd);
  if (error == ERROR_SUCCESS) {
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    futimens(target.fd, times);
    fchmod(target.fd, st.st_mode & 07777);
  }
  close(source.fd);
  if (close(target.fd) != 0 && error == ERROR_SUCCESS) error = WinportErrorFromErrno(errno);
  if (error != ERROR_SUCCESS) unlink(target.posixPath.c_str());
  return error;
}

// rename(2) that never replaces an existing target.
int RenameNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return -1;
  // A file system without RENAME_NOREPLACE: check, then rename.
  struct stat st;
  if (lstat(to.c_str(), &st) == 0) {
    errno = EEXIST;
    return -1;
  }
  return renameat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str());
}

// The last component of a path as its writer typed it.
std::string TypedLeaf(const char* path) {
  AbsolutePath absolute;
  if (!MakeAbsolute(path, &absolute) || absolute.components.empty()) return std::string();
  return absolute.components.back();
}

std::string ParentOf(const std::string& posixPath) {
  size_t slash = posixPath.rfind('/');
  return slash == 0 ? "/" : posixPath.substr(0, slash);
}

}  // namespace

DWORD AttributesOf(const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  // A file is always marked for archiving: POSIX keeps no such mark, and
  // Windows sets it whenever a file is created or written.
  return FILE_ATTRIBUTE_ARCHIVE | (IsReadOnlyFile(st) ? FILE_ATTRIBUTE_READONLY : 0);
}

DWORD DeletePath(const char* path) {
  ResolvedPath resolved = ResolvePath(path);
  if (!resolved.valid) return ERROR_PATH_NOT_FOUND;
  if (!resolved.found) return resolved.NotFoundError();
  struct stat st;
  if (lstat(resolved.posix.c_str(), &st) != 0) return WinportErrorFromErrno(errno);
  if (S_ISDIR(st.st_mode) || IsReadOnlyFile(st)) return ERROR_ACCESS_DENIED;
  if (resolved.trailingSeparator) return ERROR_INVALID_NAME;
  DWORD shareError = CheckDeleteAllowed(resolved.posix);
  if (shareError != ERROR_SUCCESS) return shareError;
  if (unlink(resolved.posix.c_str()) != 0) return WinportErrorFromErrno(errno);
  return ERROR_SUCCESS;
}

DWORD MovePath(const char* from, const char* to, DWORD flags) {
  ResolvedPath source = ResolvePath(from);
  if (!source.valid) return ERROR_PATH_NOT_FOUND;
  if (!source.found) return source.NotFoundError();
  if (source.isRoot) return ERROR_ACCESS_DENIED;
  struct stat sourceStat;
  if (lstat(source.posix.c_str(), &sourceStat) != 0) return WinportErrorFromErrno(errno);
  DWORD shareError = CheckDeleteAllowed(source.posix);
  if (shareError != ERROR_SUCCESS) return shareError;

  ResolvedPath target = ResolvePath(to);
  if (!target.valid || !target.parentFound) return ERROR_PATH_NOT_FOUND;
  if (target.isRoot) return ERROR_ACCESS_DENIED;
  std::string targetPath = target.posix;
  bool replace = false;
  if (target.found) {
    if (target.posix == source.posix) {
      // The same entry under another case: a change of case only.
      targetPath = ParentOf(source.posix) + "/" + TypedLeaf(to);
      if (targetPath == source.posix) return ERROR_SUCCESS;
      if (renameat(AT_FDCWD, source.posix.c_str(), AT_FDCWD, targetPath.c_str()) != 0)
        return WinportErrorFromErrno(errno);
      return ERROR_SUCCESS;
    }
    if (!(flags & MOVEFILE_REPLACE_EXISTING)) return ERROR_ALREADY_EXISTS;
    struct stat targetStat;
    if (lstat(target.posix.c_str(), &targetStat) != 0) return WinportErrorFromErrno(errno);
    if (S_ISDIR(targetStat.st_mode) || S_ISDIR(sourceStat.st_mode) || IsReadOnlyFile(targetStat))
      return ERROR_ACCESS_DENIED;
    shareError = CheckDeleteAllowed(target.posix);
    if (shareError != ERROR_SUCCESS) return shareError;
    replace = true;
  }

  int result = replace ? renameat(AT_FDCWD, source.posix.c_str(), AT_FDCWD, targetPath.c_str())
                       : RenameNoReplace(source.posix, targetPath);
  if (result == 0) return ERROR_SUCCESS;
  if (errno == EEXIST || errno == ENOTEMPTY) return ERROR_ALREADY_EXISTS;
  if (errno != EXDEV) return WinportErrorFromErrno(errno);
  // Another file system: a file may be copied when the caller allows it.
  if (!(flags & MOVEFILE_COPY_ALLOWED) || S_ISDIR(sourceStat.st_mode)) return ERROR_NOT_SAME_DEVICE;
  std::string sourceWindows = PosixToWindows(source.posix);
  std::string targetWindows = PosixToWindows(targetPath);
  DWORD error = CopyPath(sourceWindows.c_str(), targetWindows.c_str(), !replace);
  if (error != ERROR_SUCCESS) return error;
  if (unlink(source.posix.c_str()) != 0) return WinportErrorFromErrno(errno);
  return ERROR_SUCCESS;
}

DWORD MakeDirectory(const char* path) {
  ResolvedPath resolved = ResolvePath(path);
  if (!resolved.valid) return ERROR_PATH_NOT_FOUND;
  if (resolved.found) return ERROR_ALREADY_EXISTS;
  if (!resolved.parentFound) return ERROR_PATH_NOT_FOUND;
  if (mkdir(resolved.posix.c_str(), 0777) != 0) {
    if (errno == EEXIST) return ERROR_ALREADY_EXISTS;
    if (errno == ENOENT || errno == ENOTDIR) return ERROR_PATH_NOT_FOUND;
    return WinportErrorFromErrno(errno);
  }
  return ERROR_SUCCESS;
}

DWORD RemoveEmptyDirectory(const char* path) {
  ResolvedPath resolved = ResolvePath(path);
  if (!resolved.valid) return ERROR_PATH_NOT_FOUND;
  if (!resolved.found) return resolved.NotFoundError();
  struct stat st;
  if (stat(resolved.posix.c_str(), &st) != 0) return WinportErrorFromErrno(errno);
  if (!S_ISDIR(st.st_mode)) return ERROR_DIRECTORY;
  if (resolved.isRoot) return ERROR_ACCESS_DENIED;
  struct stat linkStat;
  if (lstat(resolved.posix.c_str(), &linkStat) == 0 && S_ISLNK(linkStat.st_mode)) {
    // A link to a directory is removed as the link.
    return unlink(resolved.posix.c_str()) == 0 ? ERROR_SUCCESS : WinportErrorFromErrno(errno);
  }
  if (rmdir(resolved.posix.c_str()) != 0) {
    if (errno == ENOTEMPTY || errno == EEXIST) return ERROR_DIR_NOT_EMPTY;
    return WinportErrorFromErrno(errno);
  }
  return ERROR_SUCCESS;
}

DWORD ChangeDirectory(const char* path) {
  ResolvedPath resolved = ResolvePath(path);
  if (!resolved.valid) return ERROR_PATH_NOT_FOUND;
  if (!resolved.found) return resolved.NotFoundError();
  AbsolutePath named;
  if (!MakeAbsolute(path, &named)) return WinportErrorFromErrno(errno);
  struct stat st;
  if (stat(resolved.posix.c_str(), &st) != 0) return WinportErrorFromErrno(errno);
  if (!S_ISDIR(st.st_mode)) return ERROR_DIRECTORY;
  if (chdir(resolved.posix.c_str()) != 0) return WinportErrorFromErrno(errno);
  NameCurrentDirectory(named.components);
  return ERROR_SUCCESS;
}

}  // namespace winport

namespace {

BOOL Result(DWORD error) {
  if (error == ERROR_SUCCESS) return TRUE;
  SetLastError(error);
  return FALSE;
}

// Copies `text` into a caller's buffer with the Windows size rule: the
// length without terminator when it fits, else the size needed with it.
DWORD CopyOut(const std::string& text, DWORD size, LPSTR buffer) {
  if (!buffer || size < text.size() + 1) return static_cast<DWORD>(text.size() + 1);
  memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<DWORD>(text.size());
}

}  // namespace

extern "C" BOOL WINAPI DeleteFileA(LPCSTR lpFileName) { return Result(winport::DeletePath(lpFileName)); }

extern "C" BOOL WINAPI MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName) {
  return Result(winport::MovePath(lpExistingFileName, lpNewFileName, MOVEFILE_COPY_ALLOWED));
}

extern "C" BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
  if (!lpNewFileName) return Result(ERROR_INVALID_PARAMETER);  // delete-at-reboot is not offered
  return Result(winport::MovePath(lpExistingFileName, lpNewFileName, dwFlags));
}

extern "C" BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
  return Result(winport::CopyPath(lpExistingFileName, lpNewFileName, bFailIfExists != FALSE));
}

extern "C" BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
  return Result(winport::MakeDirectory(lpPathName));
}

extern "C" BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName) {
  return Result(winport::RemoveEmptyDirectory(lpPathName));
}

extern "C" DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
  winport::ResolvedPath resolved = winport::ResolvePath(lpFileName);
  if (!resolved.valid) return SetLastError(ERROR_PATH_NOT_FOUND), INVALID_FILE_ATTRIBUTES;
  if (!resolved.found) return SetLastError(resolved.NotFoundError()), INVALID_FILE_ATTRIBUTES;
  struct stat st;
  if (stat(resolved.posix.c_str(), &st) != 0 && lstat(resolved.posix.c_str(), &st) != 0)
    return SetLastError(WinportErrorFromErrno(errno)), INVALID_FILE_ATTRIBUTES;
  if (resolved.trailingSeparator && !S_ISDIR(st.st_mode))
    return SetLastError(ERROR_INVALID_NAME), INVALID_FILE_ATTRIBUTES;
  return winport::AttributesOf(st);
}

extern "C" BOOL WINAPI SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes) {
  winport::ResolvedPath resolved = winport::ResolvePath(lpFileName);
  if (!resolved.valid) return Result(ERROR_PATH_NOT_FOUND);
  if (!resolved.found) return Result(resolved.NotFoundError());
  struct stat st;
  if (stat(resolved.posix.c_str(), &st) != 0) return Result(WinportErrorFromErrno(errno));
  if (S_ISDIR(st.st_mode)) return TRUE;  // a directory's read-only flag means nothing here
  mode_t mode = st.st_mode & 07777;
  mode = (dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~0222) : (mode | S_IWUSR);
  if (chmod(resolved.posix.c_str(), mode) != 0) return Result(WinportErrorFromErrno(errno));
  return TRUE;
}

extern "C" DWORD WINAPI GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer,
                                         LPSTR* lpFilePart) {
  if (!lpFileName) return SetLastError(ERROR_INVALID_PARAMETER), 0;
  if (!*lpFileName) return SetLastError(ERROR_INVALID_NAME), 0;
  winport::AbsolutePath absolute;
  if (!winport::MakeAbsolute(lpFileName, &absolute)) return SetLastError(WinportErrorFromErrno(errno)), 0;
  std::string full = winport::JoinWindows(absolute);
  DWORD result = CopyOut(full, nBufferLength, lpBuffer);
  if (result == full.size() && lpFilePart) {
    size_t slash = full.rfind('\\');
    *lpFilePart = slash + 1 < full.size() ? lpBuffer + slash + 1 : nullptr;
  }
  return result;
}

extern "C" DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
  std::string cwd;
  if (!winport::CurrentWindowsDirectory(&cwd)) return SetLastError(WinportErrorFromErrno(errno)), 0;
  return CopyOut(cwd, nBufferLength, lpBuffer);
}

extern "C" BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName) {
  return Result(winport::ChangeDirectory(lpPathName));
}
