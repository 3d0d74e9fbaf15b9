// FullDisk: a small tmpfs in a mount namespace of the test process's own,
// or the file size limit where mounting is not allowed.
#include <testsupport/full_disk.h>

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>

namespace testsupport {

namespace {

// A mount namespace for this process, so that its mounts are no one else's.
// Once is enough, and a failure means mounting is not allowed here.
bool OwnMountNamespace() {
  static const bool own = unshare(CLONE_NEWNS) == 0 && mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
  return own;
}

}  // namespace

FullDisk::FullDisk(const std::string& folder, size_t bytes) : folder_(folder) {
  mkdir(folder.c_str(), 0700);
  if (OwnMountNamespace()) {
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  if (mounted_) return;
  // A write past the limit fails with EFBIG instead of raising SIGXFSZ.
  savedHandler_ = signal(SIGXFSZ, SIG_IGN);
  getrlimit(RLIMIT_FSIZE, &savedLimit_);
  rlimit limit = savedLimit_;
  limit.rlim_cur = bytes;
  limited_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FullDisk::~FullDisk() {
  if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
  if (limited_) setrlimit(RLIMIT_FSIZE, &savedLimit_);
  if (!mounted_) signal(SIGXFSZ, savedHandler_);
}

}  // namespace testsupport
