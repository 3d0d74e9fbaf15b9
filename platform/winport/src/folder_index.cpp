#include "folder_index.h"

#include <dirent.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__linux__)
#include <errno.h>
#include <limits.h>
#include <pthread.h>
#include <sys/inotify.h>

#include <atomic>
#include <cstddef>
#include <iterator>
#include <mutex>
#include <unordered_map>
#include <vector>
#endif

#include "ascii_text.h"

namespace winport {
namespace {

bool IsDotEntry(const char* name) { return strcmp(name, ".") == 0 || strcmp(name, "..") == 0; }

// Of two names that match, the one in front in byte order.
void KeepFirst(std::string* best, const char* candidate) {
  if (best->empty() || strcmp(candidate, best->c_str()) < 0) *best = candidate;
}

#if defined(__linux__)

// A directory with this many entries is indexed on its first lookup; a
// smaller one on its second lookup while it is among the last few read, so
// that a folder looked up again and again (the temporary folder, one new
// file after another) is read once, and one looked up once is never watched.
const size_t kIndexFrom = 256;
const size_t kRecentScans = 16;
// Directories indexed at once; more drop every index (they are rebuilt on use).
const size_t kMaxIndexed = 16;

// A hash of the name without regard to ASCII case (FNV-1a over the folded
// bytes): names that match share it, so it keys the index without a folded
// copy of every name.
uint64_t FoldedHash(const char* name, size_t length) {
  uint64_t hash = 14695981039346656037ull;
  for (size_t i = 0; i < length; ++i) {
    hash ^= static_cast<unsigned char>(FoldAscii(name[i]));
    hash *= 1099511628211ull;
  }
  return hash;
}

// The names of one directory, each under the hash of its case-folded form.
// Names of one hash that do not match are told apart by comparing them.
struct Index {
  dev_t device = 0;
  ino_t inode = 0;
  uint64_t serial = 0;   // tells this index from earlier ones of the directory
  uint64_t changes = 0;  // reported changes applied
  std::unordered_multimap<uint64_t, std::string> names;

  void Add(const char* name) {
    const size_t length = strlen(name);
    const uint64_t hash = FoldedHash(name, length);
    auto same = names.equal_range(hash);
    for (auto it = same.first; it != same.second; ++it)
      if (it->second.compare(name) == 0) return;
    names.emplace(hash, std::string(name, length));
  }
  void Remove(const char* name) {
    auto same = names.equal_range(FoldedHash(name, strlen(name)));
    for (auto it = same.first; it != same.second; ++it) {
      if (it->second.compare(name) != 0) continue;
      names.erase(it);
      return;
    }
  }
  std::string Find(const std::string& name) const {
    std::string best;
    auto same = names.equal_range(FoldedHash(name.data(), name.size()));
    for (auto it = same.first; it != same.second; ++it)
      if (EqualsIgnoreCase(it->second, name)) KeepFirst(&best, it->second.c_str());
    return best;
  }
};

// Counts the forks that made this process: a child's indexes are its
// parent's, and so are their open change reports, which the child must not
// read. Kept by a fork handler, so that no lookup has to ask for the
// process id.
std::atomic<unsigned> g_forkGeneration{1};

void CountFork() { g_forkGeneration.fetch_add(1, std::memory_order_relaxed); }

// The indexes of this process. Each indexed directory is watched; every
// lookup first applies the changes reported since the last one, so an index
// is as current as a fresh read of its directory. A watch is set before its
// directory is read, so no change made during the read is missed either.
class FolderIndexes {
 public:
  FolderIndexes() { pthread_atfork(nullptr, nullptr, &CountFork); }

  // False when the directory is not indexed; else *found is the answer.
  bool Find(const std::string& directory, const std::string& name, std::string* found, FolderStamp* stamp) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const Index* index = Current(directory);
    if (index == nullptr) return false;
    *found = index->Find(name);
    Stamp(*index, stamp);
    return true;
  }

  // True when the directory's index is the stamped one and no change was
  // reported in the directory since.
  bool Unchanged(const std::string& directory, const FolderStamp& stamp) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const Index* index = Current(directory);
    return index != nullptr && stamp.serial == index->serial && stamp.changes == index->changes;
  }

  // Notes that the directory was read for a lookup; true when it was read
  // for one a short while ago too.
  bool ScannedAgain(const std::string& directory) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (Forked()) Reset();
    for (const std::string& recent : m_recentScans)
      if (recent == directory) return true;
    if (m_recentScans.size() >= kRecentScans) m_recentScans.erase(m_recentScans.begin());
    m_recentScans.push_back(directory);
    return false;
  }

  // Indexes the directory and answers from the new index; false when it
  // cannot be indexed.
  bool Build(const std::string& directory, const std::string& name, std::string* found, FolderStamp* stamp) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!Ready()) return false;
    if (m_indexes.size() >= kMaxIndexed) DropAll();
    const int wd = inotify_add_watch(m_fd, directory.c_str(),
                                     IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF |
                                         IN_MOVE_SELF | IN_ONLYDIR);
    if (wd < 0) return false;
    // The same directory by another path has the same watch and shares its index.
    if (m_indexes.find(wd) == m_indexes.end()) {
      struct stat st;
      DIR* dir = opendir(directory.c_str());
      if (!dir || fstat(dirfd(dir), &st) != 0) {
        if (dir) closedir(dir);
        inotify_rm_watch(m_fd, wd);
        return false;
      }
      Index& index = m_indexes[wd];
      index.device = st.st_dev;
      index.inode = st.st_ino;
      index.serial = ++m_lastSerial;
      // Room for about as many names as the directory's size suggests (an
      // entry takes a few dozen bytes), so the table is not rebuilt as it fills.
      index.names.reserve(static_cast<size_t>(st.st_size) / 32);
      while (struct dirent* entry = readdir(dir))
        if (!IsDotEntry(entry->d_name)) index.Add(entry->d_name);
      closedir(dir);
    }
    m_watchOf[directory] = wd;
    // The changes made while the directory was read.
    ApplyChanges();
    auto index = m_indexes.find(wd);
    if (index == m_indexes.end()) return false;  // the directory went away meanwhile
    *found = index->second.Find(name);
    Stamp(index->second, stamp);
    return true;
  }

 private:
  // The current index of the directory (its pending changes applied), or
  // null when it has none.
  const Index* Current(const std::string& directory) {
    if (!Ready()) return nullptr;
    auto watch = m_watchOf.find(directory);
    if (watch == m_watchOf.end()) return nullptr;
    struct stat st;
    auto index = m_indexes.find(watch->second);
    if (index != m_indexes.end() && stat(directory.c_str(), &st) == 0 && index->second.device == st.st_dev &&
        index->second.inode == st.st_ino)
      return &index->second;
    // The path names another directory now (a folder renamed or replaced).
    m_watchOf.erase(watch);
    return nullptr;
  }

  static void Stamp(const Index& index, FolderStamp* stamp) {
    if (stamp == nullptr) return;
    stamp->serial = index.serial;
    stamp->changes = index.changes;
  }

  // Opens the change reports on first use and applies those pending; false
  // when the system offers none.
  bool Ready() {
    if (Forked()) Reset();  // a forked child: the open reports are the parent's
    if (m_fd < 0 && !m_failed) {
      m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
      if (m_fd < 0) m_failed = true;
    }
    if (m_fd < 0) return false;
    ApplyChanges();
    return true;
  }

  bool Forked() const { return m_generation != g_forkGeneration.load(std::memory_order_relaxed); }

  // Reads every pending change report and applies it to its index. A read
  // returns every report that fits, so one that leaves room for another
  // report has drained what was pending.
  void ApplyChanges() {
    const size_t kLargestReport = sizeof(struct inotify_event) + NAME_MAX + 1;
    alignas(struct inotify_event) char buffer[16 * kLargestReport];
    for (;;) {
      const ssize_t got = read(m_fd, buffer, sizeof buffer);
      if (got <= 0) {
        if (got < 0 && errno == EINTR) continue;
        return;  // EAGAIN: nothing more reported
      }
      for (ssize_t at = 0; at < got;) {
        const struct inotify_event* event = reinterpret_cast<const struct inotify_event*>(buffer + at);
        at += static_cast<ssize_t>(sizeof *event + event->len);
        if (event->mask & IN_Q_OVERFLOW) {
          // Reports were lost: no index can be trusted.
          DropAll();
          continue;
        }
        auto index = m_indexes.find(event->wd);
        if (index == m_indexes.end()) continue;
        if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) {
          Forget(event->wd);
        } else if (event->len > 0) {
          if (event->mask & (IN_CREATE | IN_MOVED_TO)) index->second.Add(event->name);
          if (event->mask & (IN_DELETE | IN_MOVED_FROM)) index->second.Remove(event->name);
          ++index->second.changes;
        }
      }
      if (static_cast<size_t>(got) + kLargestReport <= sizeof buffer) return;
    }
  }

  void Forget(int wd) {
    if (m_indexes.erase(wd)) inotify_rm_watch(m_fd, wd);
    for (auto it = m_watchOf.begin(); it != m_watchOf.end();)
      it = it->second == wd ? m_watchOf.erase(it) : std::next(it);
  }

  void DropAll() {
    for (const auto& index : m_indexes) inotify_rm_watch(m_fd, index.first);
    m_indexes.clear();
    m_watchOf.clear();
  }

  void Reset() {
    if (m_fd >= 0) close(m_fd);
    m_fd = -1;
    m_failed = false;
    m_indexes.clear();
    m_watchOf.clear();
    m_recentScans.clear();
    m_generation = g_forkGeneration.load(std::memory_order_relaxed);
  }

  std::mutex m_mutex;
  unsigned m_generation = 0;  // the fork generation the indexes belong to
  int m_fd = -1;
  uint64_t m_lastSerial = 0;
  bool m_failed = false;
  std::unordered_map<int, Index> m_indexes;          // by watch
  std::unordered_map<std::string, int> m_watchOf;    // by directory path
  std::vector<std::string> m_recentScans;            // small directories read lately, oldest first
};

FolderIndexes& Indexes() {
  // Never destroyed: lookups may run from other objects' destructors at exit.
  static FolderIndexes* indexes = new FolderIndexes;
  return *indexes;
}

#endif

// Reads the directory for the entry that matches `name`. With a `limit`,
// gives up once it has seen that many entries, and sets *crowded.
std::string Scan(const std::string& directory, const std::string& name, size_t limit, bool* crowded) {
  DIR* dir = opendir(directory.c_str());
  if (!dir) return std::string();
  std::string best;
  size_t entries = 0;
  while (struct dirent* entry = readdir(dir)) {
    const char* candidate = entry->d_name;
    if (IsDotEntry(candidate)) continue;
    if (limit != 0 && ++entries >= limit) {
      *crowded = true;
      break;
    }
    if (EqualsIgnoreCase(candidate, name)) KeepFirst(&best, candidate);
  }
  closedir(dir);
  return best;
}

}  // namespace

std::string ScanIgnoringCase(const std::string& directory, const std::string& name) {
  bool crowded = false;
  return Scan(directory, name, 0, &crowded);
}

std::string FindIgnoringCase(const std::string& directory, const std::string& name, FolderStamp* stamp) {
  if (stamp != nullptr) *stamp = FolderStamp();
#if defined(__linux__)
  std::string found;
  if (Indexes().Find(directory, name, &found, stamp)) return found;
  // A crowded directory is read once, for its index, not first for the answer.
  bool crowded = false;
  std::string scanned = Scan(directory, name, kIndexFrom, &crowded);
  if ((crowded || Indexes().ScannedAgain(directory)) && Indexes().Build(directory, name, &found, stamp)) return found;
  return crowded ? ScanIgnoringCase(directory, name) : scanned;
#else
  return ScanIgnoringCase(directory, name);
#endif
}

bool FolderUnchanged(const std::string& directory, const FolderStamp& stamp) {
#if defined(__linux__)
  return stamp.serial != 0 && Indexes().Unchanged(directory, stamp);
#else
  (void)directory;
  (void)stamp;
  return false;
#endif
}

}  // namespace winport
