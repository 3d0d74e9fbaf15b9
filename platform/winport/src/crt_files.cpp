// The C runtime's file and directory calls with Windows paths and the
// Windows runtime's results: _access, _unlink, rename, _getcwd, _chdir,
// _mkdir, _rmdir, _fullpath, _splitpath, _makepath.
#include <direct.h>
#include <errno.h>
#include <io.h>
#include <limits.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "file_ops.h"
#include "path_resolver.h"
#include "win_path.h"

namespace {

// Sets errno (and the last error) for a failed call; result -1.
int FailWith(DWORD error, int errnoValue) {
  SetLastError(error);
  errno = errnoValue;
  return -1;
}

int Fail(DWORD error) { return FailWith(error, WinportErrnoFromError(error)); }

// Copies at most `size - 1` characters and a terminator; NULL targets are skipped.
void CopyPart(char* target, size_t size, const char* begin, const char* end) {
  if (!target) return;
  size_t length = static_cast<size_t>(end - begin);
  if (length > size - 1) length = size - 1;
  memcpy(target, begin, length);
  target[length] = '\0';
}

// Appends text to the path being built, never past _MAX_PATH - 1 characters.
void Append(std::string* path, const char* text) {
  if (text) path->append(text);
  if (path->size() > _MAX_PATH - 1) path->resize(_MAX_PATH - 1);
}

}  // namespace

extern "C" int _access(const char* path, int mode) {
  if (!path || (mode & ~6) != 0) return Fail(ERROR_INVALID_PARAMETER);
  winport::ResolvedPath resolved = winport::ResolvePath(path);
  if (!resolved.found) return Fail(resolved.NotFoundError());
  struct stat st;
  if (stat(resolved.posix.c_str(), &st) != 0) return Fail(WinportErrorFromErrno(errno));
  // Windows knows one restriction here: the read-only attribute of a file.
  if ((mode & 2) && (winport::AttributesOf(st) & FILE_ATTRIBUTE_READONLY))
    return Fail(ERROR_ACCESS_DENIED);
  return 0;
}

extern "C" int _unlink(const char* path) {
  DWORD error = winport::DeletePath(path);
  return error == ERROR_SUCCESS ? 0 : Fail(error);
}

extern "C" int winport_rename(const char* oldName, const char* newName) {
  if (!oldName || !newName) return Fail(ERROR_INVALID_PARAMETER);
  DWORD error = winport::MovePath(oldName, newName, MOVEFILE_COPY_ALLOWED);
  return error == ERROR_SUCCESS ? 0 : Fail(error);
}

extern "C" char* _getcwd(char* buffer, int maxlen) {
  std::string result;
  if (!winport::CurrentWindowsDirectory(&result)) {
    Fail(WinportErrorFromErrno(errno));
    return nullptr;
  }
  if (!buffer) {
    size_t size = result.size() + 1;
    if (maxlen > 0 && static_cast<size_t>(maxlen) > size) size = static_cast<size_t>(maxlen);
    buffer = static_cast<char*>(malloc(size));
    if (!buffer) {
      FailWith(ERROR_NOT_ENOUGH_MEMORY, ENOMEM);
      return nullptr;
    }
  } else if (maxlen <= 0 || result.size() + 1 > static_cast<size_t>(maxlen)) {
    FailWith(ERROR_INSUFFICIENT_BUFFER, ERANGE);
    return nullptr;
  }
  memcpy(buffer, result.c_str(), result.size() + 1);
  return buffer;
}

extern "C" int _chdir(const char* path) {
  if (!path) return Fail(ERROR_INVALID_PARAMETER);
  DWORD error = winport::ChangeDirectory(path);
  if (error == ERROR_SUCCESS) return 0;
  return FailWith(error, error == ERROR_DIRECTORY ? ENOENT : WinportErrnoFromError(error));
}

extern "C" int _mkdir(const char* path) {
  if (!path) return Fail(ERROR_INVALID_PARAMETER);
  DWORD error = winport::MakeDirectory(path);
  return error == ERROR_SUCCESS ? 0 : Fail(error);
}

extern "C" int _rmdir(const char* path) {
  if (!path) return Fail(ERROR_INVALID_PARAMETER);
  DWORD error = winport::RemoveEmptyDirectory(path);
  if (error == ERROR_SUCCESS) return 0;
  // The Windows runtime has no errno for a file given as a folder: EINVAL.
  return FailWith(error, error == ERROR_DIRECTORY ? EINVAL : WinportErrnoFromError(error));
}

extern "C" char* _fullpath(char* buffer, const char* path, size_t maxlen) {
  if (!path || !*path) return _getcwd(buffer, static_cast<int>(maxlen > INT_MAX ? INT_MAX : maxlen));
  winport::AbsolutePath absolute;
  if (!winport::MakeAbsolute(path, &absolute)) {
    Fail(WinportErrorFromErrno(errno));
    return nullptr;
  }
  std::string full = winport::JoinWindows(absolute);
  if (!buffer) {
    size_t size = full.size() + 1 > _MAX_PATH ? full.size() + 1 : _MAX_PATH;
    buffer = static_cast<char*>(malloc(size));
    if (!buffer) {
      FailWith(ERROR_NOT_ENOUGH_MEMORY, ENOMEM);
      return nullptr;
    }
  } else if (full.size() + 1 > maxlen) {
    FailWith(ERROR_INSUFFICIENT_BUFFER, ERANGE);
    return nullptr;
  }
  memcpy(buffer, full.c_str(), full.size() + 1);
  return buffer;
}

extern "C" void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext) {
  if (drive) drive[0] = '\0';
  if (!path) {
    if (dir) dir[0] = '\0';
    if (fname) fname[0] = '\0';
    if (ext) ext[0] = '\0';
    return;
  }
  // A drive prefix names the root on POSIX; the drive part stays empty.
  const char* p = path;
  if (((p[0] >= 'a' && p[0] <= 'z') || (p[0] >= 'A' && p[0] <= 'Z')) && p[1] == ':') p += 2;
  const char* end = p + strlen(p);
  const char* lastSeparator = nullptr;
  const char* lastDot = nullptr;
  for (const char* q = p; q < end; ++q) {
    if (*q == '\\' || *q == '/') {
      lastSeparator = q;
      lastDot = nullptr;
    } else if (*q == '.') {
      lastDot = q;
    }
  }
  const char* nameStart = lastSeparator ? lastSeparator + 1 : p;
  CopyPart(dir, _MAX_DIR, p, nameStart);
  const char* extStart = lastDot ? lastDot : end;
  CopyPart(fname, _MAX_FNAME, nameStart, extStart);
  CopyPart(ext, _MAX_EXT, extStart, end);
}

extern "C" void _makepath(char* path, const char* drive, const char* dir, const char* fname,
                          const char* ext) {
  if (!path) return;
  std::string result;
  if (drive && *drive) {
    result += drive[0];
    result += ':';
  }
  if (dir && *dir) {
    Append(&result, dir);
    char last = dir[strlen(dir) - 1];
    if (last != '\\' && last != '/') Append(&result, "\\");
  }
  Append(&result, fname);
  if (ext && *ext) {
    if (ext[0] != '.') Append(&result, ".");
    Append(&result, ext);
  }
  memcpy(path, result.c_str(), result.size() + 1);
}
