// The process-wide profile cache. The library makes it when it is loaded and
// frees it when it unloads (DllMain); every thread that uses it saves its
// modified files when the thread ends.
#pragma once

#include <tekora/profiles.h>

class PAIniFile;

namespace tekora {

void CreateSharedProfileCache();
// Saves the modified files of the shared cache (for the library's unload,
// where no thread-end save may be arranged any more).
int SaveSharedProfileCache();
// Saves the modified files, empties the cache and frees it.
void FreeSharedProfileCache();

// The shared cache (null outside the library's lifetime). The first call on
// a thread arranges the save at the end of that thread.
PABigProfile* SharedProfileCache();

// The opening steps of the private-profile calls: the file name made
// absolute, and the cached copy of that file, read from disk (created empty
// when missing) at its first use. Null for an empty file name or when
// memory runs out.
PAIniFile* CachedProfileFile(LPCSTR file);

}  // namespace tekora
