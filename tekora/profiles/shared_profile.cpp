// The shared profile cache, its saves when a thread ends, the opening of one
// cached file, and the exported calls on the cache as a whole.
#include "shared_profile.h"

#include <stdlib.h>

namespace {

PABigProfile* g_cache = nullptr;

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
  LPCSTR path = _fullpath(full, file, MAX_PATH) != nullptr ? full : file;
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
