#include "program_search_cache.h"

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include "path_resolver.h"

namespace winport {
namespace {

// A folder whose entries changed less than this before the search began may
// change again without a new time: file systems keep times in ticks, FAT
// in steps of two seconds.
const time_t kSettledSeconds = 3;
// Folder answers kept at once; more start the memory afresh.
const size_t kMaxAnswers = 256;

// A folder path the stamps can follow: absolute and without ".."
// components, which the system follows through links while the layer's
// resolver drops the component before, so that both name the same folder.
bool IsPlainFolder(const std::string& folder) {
  if (folder.empty() || folder[0] != '/') return false;
  for (size_t at = 0; at < folder.size();) {
    size_t next = folder.find('/', at + 1);
    if (next == std::string::npos) next = folder.size();
    if (folder.compare(at + 1, next - at - 1, "..") == 0) return false;
    at = next;
  }
  return true;
}

std::string ParentOf(const std::string& folder) {
  size_t slash = folder.rfind('/');
  return slash == 0 ? "/" : folder.substr(0, slash);
}

bool Before(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

}  // namespace

bool ProgramSearchCache::TakeStamp(const std::string& path, bool folder, Stamp* stamp) {
  stamp->path = path;
  stamp->folder = folder;
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    stamp->present = false;
    // Only a name that is not there can be followed: any other failure may
    // pass without a trace.
    return errno == ENOENT || errno == ENOTDIR;
  }
  stamp->present = true;
  stamp->device = st.st_dev;
  stamp->inode = st.st_ino;
  stamp->mode = st.st_mode;
  stamp->owner = st.st_uid;
  stamp->group = st.st_gid;
  // A folder's entries change its modification time; any change of a
  // file's own record (permissions, owner, links) its status-change time.
  stamp->changed = folder ? st.st_mtim : st.st_ctim;
  return true;
}

bool ProgramSearchCache::StillSo(const Stamp& stamp) {
  Stamp now;
  if (!TakeStamp(stamp.path, stamp.folder, &now) || now.present != stamp.present) return false;
  if (!now.present) return true;
  return now.device == stamp.device && now.inode == stamp.inode && now.mode == stamp.mode &&
         now.owner == stamp.owner && now.group == stamp.group && now.changed.tv_sec == stamp.changed.tv_sec &&
         now.changed.tv_nsec == stamp.changed.tv_nsec;
}

bool ProgramSearchCache::StampsOf(const std::string& folder, const std::vector<std::string>& entries,
                                  const struct timespec& began, std::vector<Stamp>* stamps) {
  struct timespec settled = began;
  settled.tv_sec -= kSettledSeconds;
  if (!IsPlainFolder(folder)) return false;
  Stamp stamp;
  if (!TakeStamp(folder, true, &stamp)) return false;
  if (!stamp.present) {
    // A missing folder that the resolver finds under another case cannot
    // be followed; else its entry would appear in the nearest folder above
    // it that exists, and that folder is stamped too.
    ResolvedPath resolved = ResolvePath(folder.c_str());
    if (resolved.found || resolved.posix != folder) return false;
    stamps->push_back(stamp);
    std::string above = folder;
    do {
      above = ParentOf(above);
      if (!TakeStamp(above, true, &stamp)) return false;
    } while (!stamp.present && above != "/");
  }
  if (stamp.present && !Before(stamp.changed, settled)) return false;
  stamps->push_back(stamp);
  for (const std::string& entry : entries) {
    if (!TakeStamp(entry, false, &stamp)) return false;
    if (stamp.present && !Before(stamp.changed, settled)) return false;
    stamps->push_back(stamp);
  }
  return true;
}

const ProgramSearchCache::Answer& ProgramSearchCache::FolderAnswer(const std::string& name, const std::string& folder,
                                                                   uid_t user, gid_t userGroup, bool* remembered) {
  const std::string key = name + '\0' + folder;
  auto known = m_answers.find(key);
  if (known != m_answers.end()) {
    const Answer& answer = known->second;
    bool good = answer.user == user && answer.userGroup == userGroup;
    for (size_t i = 0; good && i < answer.stamps.size(); ++i) good = StillSo(answer.stamps[i]);
    if (good) return answer;
    m_answers.erase(known);
  }

  *remembered = false;
  struct timespec began;
  clock_gettime(CLOCK_REALTIME, &began);
  Answer answer;
  std::vector<std::string> entries;
  answer.result = SearchFolder(name, folder, &answer.program, &answer.denied, &entries);
  answer.user = user;
  answer.userGroup = userGroup;
  if (!StampsOf(folder, entries, began, &answer.stamps)) {
    m_fresh = std::move(answer);
    return m_fresh;
  }
  if (m_answers.size() >= kMaxAnswers) m_answers.clear();
  return m_answers[key] = std::move(answer);
}

DWORD ProgramSearchCache::Find(const std::string& name, const std::vector<std::string>& folders, ProgramFile* program,
                               bool* remembered) {
  const uid_t user = getuid();
  const gid_t userGroup = getgid();
  bool allRemembered = true;
  bool denied = false;
  DWORD result = ERROR_FILE_NOT_FOUND;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const std::string& folder : folders) {
      const Answer& answer = FolderAnswer(name, folder, user, userGroup, &allRemembered);
      denied = denied || answer.denied;
      if (answer.result == ERROR_SUCCESS) {
        *program = answer.program;
        result = ERROR_SUCCESS;
        break;
      }
    }
  }
  if (remembered) *remembered = allRemembered;
  if (result == ERROR_SUCCESS) return result;
  return denied ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
}

}  // namespace winport
