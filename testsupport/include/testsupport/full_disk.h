// A folder whose disk is nearly full (POSIX only): writes into it fail part
// way, as they do on a full disk. Where the process may mount file systems
// (in a mount namespace of its own), the folder is a small tmpfs and the
// writes fail with ENOSPC; elsewhere the process's file size limit is set,
// so that a write past `bytes` into any file fails with EFBIG.
#pragma once

#include <stddef.h>
#include <sys/resource.h>

#include <string>

namespace testsupport {

class FullDisk {
 public:
  // Makes `folder` (created when missing) hold about `bytes` bytes of file
  // data (a multiple of 4096).
  FullDisk(const std::string& folder, size_t bytes);
  // Unmounts the tmpfs (its files go with it) or lifts the size limit.
  ~FullDisk();
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

  // True when the folder is a tmpfs, false when the file size limit stands in.
  bool IsTmpfs() const { return mounted_; }

 private:
  std::string folder_;
  bool mounted_ = false;
  bool limited_ = false;
  rlimit savedLimit_{};
  void (*savedHandler_)(int) = nullptr;
};

}  // namespace testsupport
