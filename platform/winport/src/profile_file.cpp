#include "profile_file.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>

#include "file_open.h"

namespace winport {
namespace profile {
namespace {

// Reads fd from its start in pieces that double in size; after each piece
// `step` gets the whole lines read so far (everything once the end is
// reached, with `complete` set) and returns true to stop.
DWORD ReadInPieces(int fd, const std::function<bool(std::string& text, bool complete)>& step) {
  try {
    std::string text;
    size_t piece = 65536;
    for (;;) {
      const size_t before = text.size();
      text.resize(before + piece);
      ssize_t n;
      do {
        n = pread(fd, &text[before], piece, static_cast<off_t>(before));
      } while (n < 0 && errno == EINTR);
      if (n < 0) return WinportErrorFromErrno(errno);
      text.resize(before + static_cast<size_t>(n));
      if (n == 0) {
        step(text, true);
        return ERROR_SUCCESS;
      }
      const size_t lastNewline = text.rfind('\n');
      if (lastNewline != std::string::npos && lastNewline >= before) {
        std::string lines = text.substr(0, lastNewline + 1);
        if (step(lines, false)) return ERROR_SUCCESS;
      }
      if (piece < (size_t{64} << 20)) piece *= 2;
    }
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

DWORD WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? WinportErrorFromErrno(errno) : ERROR_WRITE_FAULT;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return ERROR_SUCCESS;
}

// Appends the bytes of `from` from offset `at` to its end to `to`: in the
// kernel where it can, else through a buffer.
DWORD CopyRest(int from, off_t at, int to) {
  off_t offset = at;
  for (;;) {
    const ssize_t n = copy_file_range(from, &offset, to, nullptr, size_t{1} << 30, 0);
    if (n == 0) return ERROR_SUCCESS;
    if (n > 0) continue;
    if (errno == EINTR) continue;
    if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
      return WinportErrorFromErrno(errno);
    break;
  }
  char buffer[65536];
  for (;;) {
    const ssize_t n = pread(from, buffer, sizeof buffer, offset);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return WinportErrorFromErrno(errno);
    if (n == 0) return ERROR_SUCCESS;
    const DWORD error = WriteAll(to, buffer, static_cast<size_t>(n));
    if (error != ERROR_SUCCESS) return error;
    offset += n;
  }
}

// Writes a file that did not exist; it is removed again when the write fails.
DWORD CreateWhole(const std::string& windowsPath, const std::string& text) {
  FileOpenRequest request;
  request.write = true;
  request.shareMode = FILE_SHARE_READ;
  request.disposition = CREATE_NEW;
  FileOpenResult file = OpenFile(windowsPath.c_str(), request);
  if (file.fd < 0) return file.error;
  DWORD error = WriteAll(file.fd, text.data(), text.size());
  if (error == ERROR_SUCCESS && fsync(file.fd) != 0) error = WinportErrorFromErrno(errno);
  if (close(file.fd) != 0 && error == ERROR_SUCCESS) error = WinportErrorFromErrno(errno);
  if (error != ERROR_SUCCESS) unlink(file.posixPath.c_str());
  return error;
}

// Puts `head` and then the bytes of the file from offset `restAt` in place
// of the file at posixPath (held open as `fd`): a temporary file in the same
// folder gets the new content and the file's permissions, is flushed to
// disk, and is then renamed over it. A link is followed, so the file it
// points to is the one replaced.
DWORD ReplaceWhole(int fd, const std::string& posixPath, const std::string& head, off_t restAt) {
  char* real = realpath(posixPath.c_str(), nullptr);
  const std::string target = real ? real : posixPath;
  free(real);
  const size_t slash = target.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);
  const std::string leaf = slash == std::string::npos ? target : target.substr(slash + 1);
  // A hidden name beside the file, short enough for any file system.
  std::string temp = folder + "/." + leaf.substr(0, 200) + ".XXXXXX";
  const int tempFd = mkostemp(&temp[0], O_CLOEXEC);
  if (tempFd < 0) return WinportErrorFromErrno(errno);

  DWORD error = WriteAll(tempFd, head.data(), head.size());
  if (error == ERROR_SUCCESS) error = CopyRest(fd, restAt, tempFd);
  struct stat st;
  if (error == ERROR_SUCCESS && fstat(fd, &st) == 0) {
    if (fchmod(tempFd, st.st_mode & 07777) != 0) error = WinportErrorFromErrno(errno);
    // Keep the owner where we may (as root); otherwise the file becomes ours.
    if (error == ERROR_SUCCESS && fchown(tempFd, st.st_uid, st.st_gid) != 0) errno = 0;
  }
  if (error == ERROR_SUCCESS && fsync(tempFd) != 0) error = WinportErrorFromErrno(errno);
  if (close(tempFd) != 0 && error == ERROR_SUCCESS) error = WinportErrorFromErrno(errno);
  if (error == ERROR_SUCCESS && renameat(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str()) != 0)
    error = WinportErrorFromErrno(errno);
  if (error != ERROR_SUCCESS) unlink(temp.c_str());
  return error;
}

}  // namespace

DWORD ReadProfile(const std::string& windowsPath,
                  const std::function<bool(const std::string& text, bool complete)>& enough) {
  FileOpenRequest request;
  request.read = true;
  request.shareMode = FILE_SHARE_READ | FILE_SHARE_WRITE;
  FileOpenResult file = OpenFile(windowsPath.c_str(), request);
  if (file.fd < 0) return file.error;
  const DWORD error = ReadInPieces(file.fd, [&](std::string& text, bool complete) { return enough(text, complete); });
  close(file.fd);
  return error;
}

DWORD UpdateProfile(const std::string& windowsPath, const std::function<Edit(std::string& text, bool complete)>& edit) {
  FileOpenRequest request;
  request.read = true;
  request.write = true;
  request.shareMode = FILE_SHARE_READ;
  FileOpenResult file = OpenFile(windowsPath.c_str(), request);
  if (file.fd < 0 && file.error != ERROR_FILE_NOT_FOUND) return file.error;
  try {
    if (file.fd < 0) {
      std::string text;
      return edit(text, true) == Edit::kChanged ? CreateWhole(windowsPath, text) : ERROR_SUCCESS;
    }
    DWORD writeError = ERROR_SUCCESS;
    DWORD error = ReadInPieces(file.fd, [&](std::string& text, bool complete) {
      const off_t readUpTo = static_cast<off_t>(text.size());
      const Edit result = edit(text, complete);
      if (result == Edit::kChanged) writeError = ReplaceWhole(file.fd, file.posixPath, text, readUpTo);
      return result != Edit::kNeedMore;
    });
    if (error == ERROR_SUCCESS) error = writeError;
    close(file.fd);
    return error;
  } catch (const std::bad_alloc&) {
    if (file.fd >= 0) close(file.fd);
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

}  // namespace profile
}  // namespace winport
