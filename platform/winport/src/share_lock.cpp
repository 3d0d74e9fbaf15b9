#include "share_lock.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

namespace winport {
namespace {

// Marker bytes start at 2^62, far beyond the end of any real file.
const off_t kMarkerBase = static_cast<off_t>(1) << 62;
enum Marker { kHasRead = 0, kHasWrite = 1, kDeniesRead = 2, kDeniesWrite = 3, kDeniesDelete = 4 };

struct flock MarkerLock(Marker marker, short type) {
  struct flock lock = {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = kMarkerBase + marker;
  lock.l_len = 1;
  lock.l_pid = 0;  // required for OFD locks
  return lock;
}

enum class LockResult { kTaken, kUnsupported, kFailed };

LockResult Announce(int fd, Marker marker) {
  struct flock lock = MarkerLock(marker, F_RDLCK);
  if (fcntl(fd, F_OFD_SETLK, &lock) == 0) return LockResult::kTaken;
  if (errno == EINVAL || errno == ENOLCK || errno == EOPNOTSUPP || errno == EBADF)
    return LockResult::kUnsupported;
  return LockResult::kFailed;
}

// True when an open other than fd's holds the marker.
bool HeldByOthers(int fd, Marker marker) {
  struct flock lock = MarkerLock(marker, F_WRLCK);
  if (fcntl(fd, F_OFD_GETLK, &lock) != 0) return false;  // no locking here: nothing to honour
  return lock.l_type != F_UNLCK;
}

}  // namespace

DWORD AcquireShareLocks(int fd, bool canLock, bool read, bool write, DWORD shareMode) {
  bool denyRead = !(shareMode & FILE_SHARE_READ);
  bool denyWrite = !(shareMode & FILE_SHARE_WRITE);
  bool denyDelete = !(shareMode & FILE_SHARE_DELETE);
  if (canLock) {
    struct {
      bool wanted;
      Marker marker;
    } announcements[] = {{read, kHasRead},
                         {write, kHasWrite},
                         {denyRead, kDeniesRead},
                         {denyWrite, kDeniesWrite},
                         {denyDelete, kDeniesDelete}};
    for (const auto& a : announcements) {
      if (!a.wanted) continue;
      LockResult result = Announce(fd, a.marker);
      if (result == LockResult::kUnsupported) return ERROR_SUCCESS;  // file system without OFD locks
      // A shared lock is refused only while someone tests the byte at this
      // very moment; treat it as the conflict it is about to report.
      if (result == LockResult::kFailed) return ERROR_SHARING_VIOLATION;
    }
  }
  // Announce first, test second: of two opens racing each other at least one
  // sees the other, so two conflicting opens never both succeed.
  if (read && HeldByOthers(fd, kDeniesRead)) return ERROR_SHARING_VIOLATION;
  if (write && HeldByOthers(fd, kDeniesWrite)) return ERROR_SHARING_VIOLATION;
  if (denyRead && HeldByOthers(fd, kHasRead)) return ERROR_SHARING_VIOLATION;
  if (denyWrite && HeldByOthers(fd, kHasWrite)) return ERROR_SHARING_VIOLATION;
  return ERROR_SUCCESS;
}

DWORD CheckDeleteAllowed(const std::string& posixPath) {
  int fd = open(posixPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return ERROR_SUCCESS;  // nothing we can check; the operation itself decides
  DWORD result = HeldByOthers(fd, kDeniesDelete) ? ERROR_SHARING_VIOLATION : ERROR_SUCCESS;
  close(fd);
  return result;
}

}  // namespace winport
