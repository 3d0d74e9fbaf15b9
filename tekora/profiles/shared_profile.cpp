// The shared profile cache, its saves when a thread ends, the opening of one
// cached file, and the exported calls on the cache as a whole.
#include "shared_profile.h"

#include <stdlib.h>

#include <string>

namespace {

PABigProfile* g_cache = nullptr;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Whether the absolute form of `path` is the same wherever the process
// stands: a path with a drive and a root ("c:\x"), a network path ("\\x"),
// or a path from the root whose absolute form has no drive either (where
// there are no drives, only a relative path depends on the working folder).
bool NamesOneFileFromAnywhere(LPCSTR path, LPCSTR full) {
  if (((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z')) && path[1] == ':' &&
      IsSeparator(path[2])) {
    return true;
  }
  return IsSeparator(path[0]) && (IsSeparator(path[1]) || IsSeparator(full[0]));
}

// The last file name made absolute that names one file from anywhere, and
// its absolute form: a tree of settings reads and writes one file many
// thousand times in a row, and _fullpath (a lexical rewrite, plus the
// working folder for a relative name) would run for each.
thread_local std::string t_lastName;
thread_local std::string t_lastFullPath;

// The absolute form of the name (as _fullpath gives it into 260
// characters), or the name itself when that fails.
LPCSTR FullPathOf(LPCSTR file, char (&full)[MAX_PATH]) {
  if (!t_lastName.empty() && t_lastName == file) return t_lastFullPath.c_str();
  if (_fullpath(full, file, MAX_PATH) == nullptr) return file;
  if (NamesOneFileFromAnywhere(file, full)) {
    try {
      t_lastName = file;
      t_lastFullPath = full;
    } catch (const std::bad_alloc&) {
      t_lastName.clear();
    }
  }
  return full;
}

// A thread that has used the cache saves the modified files when it ends:
// the destructor of a thread_local object runs at thread end on every
// platform (on POSIX also for the main thread when the process exits, before
// the library is unloaded).
struct ThreadEndSave {
  ~ThreadEndSave() {
    if (g_cache != nullptr) g_cache->SaveAll();
  }
};

}  // namespace

namespace tekora {

void CreateSharedProfileCache() {
  if (g_cache == nullptr) g_cache = new PABigProfile;
}

int SaveSharedProfileCache() { return g_cache != nullptr ? g_cache->SaveAll() : 0; }

void FreeSharedProfileCache() {
  PABigProfile* cache = g_cache;
  g_cache = nullptr;
  delete cache;  // saves the modified files first
}

PABigProfile* SharedProfileCache() {
  static thread_local ThreadEndSave threadEndSave;
  (void)threadEndSave;
  return g_cache;
}

PAIniFile* CachedProfileFile(LPCSTR file) {
  PABigProfile* cache = SharedProfileCache();
  if (cache == nullptr || file == nullptr || *file == '\0') return nullptr;
  // PAMakeFullPath without a copy of the name on the heap: this runs on
  // every read of a setting.
  char full[MAX_PATH];
  LPCSTR path = FullPathOf(file, full);
  PAIniFile* ini = cache->FindFile(path);
  if (ini == nullptr) {
    cache->LoadFile(path);
    ini = cache->FindFile(path);
  }
  return ini;
}

}  // namespace tekora

PABigProfile* PAGetProfileCache(void) { return tekora::SharedProfileCache(); }

int PASaveProfiles(void) {
  PABigProfile* cache = tekora::SharedProfileCache();
  return cache != nullptr ? cache->SaveAll() : 0;
}

int PAFlushProfiles(void) {
  PABigProfile* cache = tekora::SharedProfileCache();
  if (cache == nullptr) return 0;
  cache->SaveAll();
  return cache->RemoveAllFiles();
}
