#include "registry_store.h"

#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <mutex>

#include "reg_format.h"

namespace winport {
namespace registry {
namespace {

struct CachedRoot {
  bool valid = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  struct timespec modified = {};
  std::string path;
  std::unique_ptr<Key> tree;
};

std::mutex& StoreMutex() {
  static std::mutex* mutex = new std::mutex;  // never destroyed: used from other destructors
  return *mutex;
}

CachedRoot& Cache(Root root) {
  static CachedRoot* caches = new CachedRoot[2];  // never destroyed: used from other destructors
  return caches[root == Root::kCurrentUser ? 0 : 1];
}

std::string RootFile(Root root) { return StoreFolder() + "/" + RootName(root) + ".reg"; }

bool ReadFile(const std::string& path, std::string* text, struct stat* st, DWORD* error) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *error = errno == ENOENT ? ERROR_FILE_NOT_FOUND : WinportErrorFromErrno(errno);
    return false;
  }
  if (fstat(fd, st) != 0) {
    *error = WinportErrorFromErrno(errno);
    close(fd);
    return false;
  }
  text->clear();
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *error = ERROR_REGISTRY_IO_FAILED;
      close(fd);
      return false;
    }
    if (n == 0) break;
    text->append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return true;
}

// Brings the cached tree of the root up to date with its file.
DWORD Load(Root root) {
  CachedRoot& cache = Cache(root);
  std::string path = RootFile(root);
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    if (errno != ENOENT) return WinportErrorFromErrno(errno);
    // No file yet: an empty root.
    cache.valid = true;
    cache.path = path;
    cache.device = 0;
    cache.inode = 0;
    cache.tree = std::make_unique<Key>(RootName(root));
    return ERROR_SUCCESS;
  }
  if (cache.valid && cache.path == path && cache.device == st.st_dev && cache.inode == st.st_ino &&
      cache.size == st.st_size && cache.modified.tv_sec == st.st_mtim.tv_sec &&
      cache.modified.tv_nsec == st.st_mtim.tv_nsec)
    return ERROR_SUCCESS;
  cache.valid = false;
  std::string text;
  DWORD error = ERROR_SUCCESS;
  if (!ReadFile(path, &text, &st, &error)) return error == ERROR_FILE_NOT_FOUND ? Load(root) : error;
  auto tree = std::make_unique<Key>(RootName(root));
  if (!ParseRegText(text, RootName(root), tree.get())) return ERROR_BADDB;
  cache.valid = true;
  cache.path = path;
  cache.device = st.st_dev;
  cache.inode = st.st_ino;
  cache.size = st.st_size;
  cache.modified = st.st_mtim;
  cache.tree = std::move(tree);
  return ERROR_SUCCESS;
}

// Creates the folder and the folders above it.
bool MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
    std::string prefix = slash == std::string::npos ? path : path.substr(0, slash);
    if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

DWORD WriteAtomically(const std::string& path, const std::string& text) {
  std::string temp = path + ".XXXXXX";
  int fd = mkostemp(&temp[0], O_CLOEXEC);
  if (fd < 0) return WinportErrorFromErrno(errno);
  const char* data = text.data();
  size_t left = text.size();
  bool ok = true;
  while (left > 0 && ok) {
    ssize_t n = write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) {
      data += n;
      left -= static_cast<size_t>(n);
    }
  }
  ok = ok && fsync(fd) == 0;
  DWORD error = ok ? ERROR_SUCCESS : WinportErrorFromErrno(errno);
  if (close(fd) != 0 && ok) error = WinportErrorFromErrno(errno);
  if (error == ERROR_SUCCESS && renameat(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str()) != 0)
    error = WinportErrorFromErrno(errno);
  if (error != ERROR_SUCCESS) unlink(temp.c_str());
  return error;
}

}  // namespace

const char* RootName(Root root) {
  return root == Root::kCurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

std::string StoreFolder() {
  const char* winportRoot = getenv("WINPORT_ROOT");
  std::string base;
  if (winportRoot && *winportRoot) {
    base = winportRoot;
  } else {
    const char* config = getenv("XDG_CONFIG_HOME");
    if (config && *config) {
      base = config;
    } else {
      const char* home = getenv("HOME");
      if (!home || !*home) {
        struct passwd* entry = getpwuid(getuid());
        home = entry && entry->pw_dir ? entry->pw_dir : "/";
      }
      base = std::string(home) + "/.config";
    }
    base += "/winport";
  }
  return base + "/registry";
}

DWORD ReadRoot(Root root, const std::function<DWORD(Key&)>& read) {
  std::lock_guard<std::mutex> guard(StoreMutex());
  DWORD error = Load(root);
  if (error != ERROR_SUCCESS) return error;
  return read(*Cache(root).tree);
}

DWORD UpdateRoot(Root root, const std::function<DWORD(Key&, bool* changed)>& change) {
  std::lock_guard<std::mutex> guard(StoreMutex());
  std::string folder = StoreFolder();
  if (!MakeFolders(folder)) return WinportErrorFromErrno(errno);
  std::string lockPath = folder + "/registry.lock";
  int lock = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lock < 0) return WinportErrorFromErrno(errno);
  while (flock(lock, LOCK_EX) != 0) {
    if (errno != EINTR) {
      DWORD error = WinportErrorFromErrno(errno);
      close(lock);
      return error;
    }
  }
  DWORD error = Load(root);
  if (error == ERROR_SUCCESS) {
    CachedRoot& cache = Cache(root);
    bool changed = false;
    error = change(*cache.tree, &changed);
    if (error == ERROR_SUCCESS && changed) {
      DWORD written = WriteAtomically(cache.path, FormatRegText(*cache.tree, RootName(root)));
      cache.valid = false;  // reread next time: the file is the truth
      if (written != ERROR_SUCCESS) error = written;
    } else if (error != ERROR_SUCCESS) {
      cache.valid = false;  // the change may have been half made in memory
    }
  }
  close(lock);  // releases the lock
  return error;
}

}  // namespace registry
}  // namespace winport
