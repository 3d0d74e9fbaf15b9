// CreateFileA, the standard handles, and the calls on the file handles.
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <mutex>
#include <string>

#include "file_open.h"
#include "file_time.h"
#include "file_descriptors.h"
#include "handle_table.h"

namespace {

class FileHandle : public winport::HandleObject {
 public:
  int fd = -1;
  bool canRead = false;
  bool canWrite = false;
  std::string deleteOnClose;  // POSIX path to unlink at close, if any

  BOOL Close() override {
    if (!deleteOnClose.empty()) unlink(deleteOnClose.c_str());
    int result = close(fd);
    fd = -1;
    if (result != 0 && errno != EINTR) {
      SetLastError(WinportErrorFromErrno(errno));
      return FALSE;
    }
    return TRUE;
  }
};

FileHandle* File(HANDLE handle) { return winport::LookupHandle<FileHandle>(handle); }

// The handles of standard input, output and error: made on first use, as
// Windows gives a process its three at start.
HANDLE StandardHandle(int fd) {
  static HANDLE handles[3] = {};
  static std::mutex mutex;
  std::lock_guard<std::mutex> lock(mutex);
  if (!handles[fd]) {
    FileHandle* file = new FileHandle;
    file->fd = fd;
    file->canRead = fd == 0;
    file->canWrite = fd != 0;
    handles[fd] = winport::RegisterHandle(file);
  }
  return handles[fd];
}

BOOL FailWith(DWORD error) {
  SetLastError(error);
  return FALSE;
}

BOOL FailWithErrno() { return FailWith(WinportErrorFromErrno(errno)); }

// Moves the descriptor's offset as SetFilePointerEx does. False with the last
// error set on failure.
bool Seek(FileHandle* file, int64_t distance, DWORD method, int64_t* newPosition,
          int64_t maxPosition = INT64_MAX) {
  int64_t base;
  if (method == FILE_BEGIN) {
    base = 0;
  } else if (method == FILE_CURRENT) {
    base = lseek(file->fd, 0, SEEK_CUR);
  } else if (method == FILE_END) {
    struct stat st;
    base = fstat(file->fd, &st) == 0 ? st.st_size : -1;
  } else {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (base < 0) {
    SetLastError(WinportErrorFromErrno(errno));
    return false;
  }
  int64_t target = base + distance;
  if (target < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return false;
  }
  if (target > maxPosition) {
    // Windows refuses a move whose position the caller cannot be told.
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (lseek(file->fd, target, SEEK_SET) < 0) {
    SetLastError(WinportErrorFromErrno(errno));
    return false;
  }
  *newPosition = target;
  return true;
}

}  // namespace

int winport::FileDescriptorOf(HANDLE handle) {
  FileHandle* file = dynamic_cast<FileHandle*>(winport::FindHandle(handle));
  return file ? file->fd : -1;
}

extern "C" HANDLE WINAPI GetStdHandle(DWORD nStdHandle) {
  switch (nStdHandle) {
    case STD_INPUT_HANDLE: return StandardHandle(0);
    case STD_OUTPUT_HANDLE: return StandardHandle(1);
    case STD_ERROR_HANDLE: return StandardHandle(2);
    default: SetLastError(ERROR_INVALID_HANDLE); return INVALID_HANDLE_VALUE;
  }
}

extern "C" HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                                     LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition,
                                     DWORD dwFlagsAndAttributes, HANDLE) {
  winport::FileOpenRequest request;
  // GENERIC_ALL and the specific FILE_* data rights map onto read and write.
  request.read = (dwDesiredAccess & (GENERIC_READ | GENERIC_ALL | 0x0001u /*FILE_READ_DATA*/)) != 0;
  request.write =
      (dwDesiredAccess & (GENERIC_WRITE | GENERIC_ALL | 0x0002u /*FILE_WRITE_DATA*/ | 0x0004u)) != 0;
  request.shareMode = dwShareMode;
  request.disposition = dwCreationDisposition;
  request.createReadOnly = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  if (dwCreationDisposition == TRUNCATE_EXISTING && !request.write) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  winport::FileOpenResult opened = winport::OpenFile(lpFileName, request);
  if (opened.fd < 0) {
    SetLastError(opened.error);
    return INVALID_HANDLE_VALUE;
  }
  FileHandle* file = new FileHandle;
  file->fd = opened.fd;
  file->canRead = request.read;
  file->canWrite = request.write;
  if (dwFlagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) file->deleteOnClose = opened.posixPath;
  bool reportsExisting = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS;
  SetLastError(opened.existed && reportsExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return winport::RegisterHandle(file);
}

extern "C" BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                                LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
  FileHandle* file = File(hFile);
  if (!file) return FALSE;
  if (lpOverlapped || (!lpBuffer && nNumberOfBytesToRead > 0)) return FailWith(ERROR_INVALID_PARAMETER);
  if (!file->canRead) return FailWith(ERROR_ACCESS_DENIED);
  char* out = static_cast<char*>(lpBuffer);
  DWORD total = 0;
  while (total < nNumberOfBytesToRead) {
    ssize_t n = read(file->fd, out + total, nNumberOfBytesToRead - total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (lpNumberOfBytesRead) *lpNumberOfBytesRead = total;
      return FailWithErrno();
    }
    if (n == 0) break;
    total += static_cast<DWORD>(n);
  }
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = total;
  return TRUE;
}

extern "C" BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                                 LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
  FileHandle* file = File(hFile);
  if (!file) return FALSE;
  if (lpOverlapped || (!lpBuffer && nNumberOfBytesToWrite > 0)) return FailWith(ERROR_INVALID_PARAMETER);
  if (!file->canWrite) return FailWith(ERROR_ACCESS_DENIED);
  const char* in = static_cast<const char*>(lpBuffer);
  DWORD total = 0;
  while (total < nNumberOfBytesToWrite) {
    ssize_t n = write(file->fd, in + total, nNumberOfBytesToWrite - total);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = total;
      return n == 0 ? FailWith(ERROR_DISK_FULL) : FailWithErrno();
    }
    total += static_cast<DWORD>(n);
  }
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = total;
  return TRUE;
}

extern "C" DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                                       DWORD dwMoveMethod) {
  FileHandle* file = File(hFile);
  if (!file) return INVALID_SET_FILE_POINTER;
  // Without a high part the distance is a signed 32-bit value.
  int64_t distance = lpDistanceToMoveHigh
                         ? static_cast<int64_t>((static_cast<uint64_t>(static_cast<DWORD>(*lpDistanceToMoveHigh)) << 32) |
                                                static_cast<DWORD>(lDistanceToMove))
                         : static_cast<int64_t>(lDistanceToMove);
  int64_t position = 0;
  int64_t limit = lpDistanceToMoveHigh ? INT64_MAX : 0xFFFFFFFELL;
  if (!Seek(file, distance, dwMoveMethod, &position, limit)) return INVALID_SET_FILE_POINTER;
  if (lpDistanceToMoveHigh) *lpDistanceToMoveHigh = static_cast<LONG>(position >> 32);
  SetLastError(NO_ERROR);
  return static_cast<DWORD>(position);
}

extern "C" BOOL WINAPI SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove,
                                        PLARGE_INTEGER lpNewFilePointer, DWORD dwMoveMethod) {
  FileHandle* file = File(hFile);
  if (!file) return FALSE;
  int64_t position = 0;
  if (!Seek(file, liDistanceToMove.QuadPart, dwMoveMethod, &position)) return FALSE;
  if (lpNewFilePointer) lpNewFilePointer->QuadPart = position;
  return TRUE;
}

extern "C" BOOL WINAPI GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize) {
  FileHandle* file = File(hFile);
  if (!file) return FALSE;
  if (!lpFileSize) return FailWith(ERROR_INVALID_PARAMETER);
  struct stat st;
  if (fstat(file->fd, &st) != 0) return FailWithErrno();
  lpFileSize->QuadPart = st.st_size;
  return TRUE;
}

extern "C" DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(hFile, &size)) return INVALID_FILE_SIZE;
  if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(size.QuadPart >> 32);
  // A size whose low part is INVALID_FILE_SIZE is told apart by NO_ERROR.
  SetLastError(NO_ERROR);
  return static_cast<DWORD>(size.QuadPart);
}

extern "C" BOOL WINAPI SetEndOfFile(HANDLE hFile) {
  FileHandle* file = File(hFile);
  if (!file) return FALSE;
  if (!file->canWrite) return FailWith(ERROR_ACCESS_DENIED);
  off_t position = lseek(file->fd, 0, SEEK_CUR);
  if (position < 0 || ftruncate(file->fd, position) != 0) return FailWithErrno();
  return TRUE;
}

extern "C" BOOL WINAPI FlushFileBuffers(HANDLE hFile) {
  FileHandle* file = File(hFile);
  if (!file) return FALSE;
  if (!file->canWrite) return FailWith(ERROR_ACCESS_DENIED);
  if (fdatasync(file->fd) != 0 && errno != EINVAL) return FailWithErrno();
  return TRUE;
}

extern "C" BOOL WINAPI GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime,
                                   LPFILETIME lpLastWriteTime) {
  FileHandle* file = File(hFile);
  if (!file) return FALSE;
  struct stat st;
  if (fstat(file->fd, &st) != 0) return FailWithErrno();
  // POSIX keeps no creation time; the status change time is the nearest.
  if (lpCreationTime) *lpCreationTime = winport::FileTimeFromTimespec(st.st_ctim);
  if (lpLastAccessTime) *lpLastAccessTime = winport::FileTimeFromTimespec(st.st_atim);
  if (lpLastWriteTime) *lpLastWriteTime = winport::FileTimeFromTimespec(st.st_mtim);
  return TRUE;
}
