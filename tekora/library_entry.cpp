// What tekora does when a process loads it and when it unloads.
#include <stdlib.h>
#include <time.h>
#include <windows.h>

#include "core/not_found_list.h"
#include "profiles/shared_profile.h"
#include "system/guid_registry.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    // Random defaults (priorities, prefixes) differ from run to run.
    srand(static_cast<unsigned int>(time(nullptr)));
    tekora::CreateGuidRegistry();
    tekora::CreateSharedProfileCache();
    tekora::CreateNotFoundList();
  } else if (reason == DLL_PROCESS_DETACH) {
    // Modified profiles reach the disk: saved once more, then the cache
    // (which saves again as it goes) is emptied and freed.
    tekora::SaveSharedProfileCache();
    tekora::FreeSharedProfileCache();
    tekora::FreeGuidRegistry();
    tekora::FreeNotFoundList();
  }
  return TRUE;
}
