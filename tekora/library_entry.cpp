// What tekora does when a process loads it and when it unloads.
#include <stdlib.h>
#include <time.h>
#include <windows.h>

#include "system/guid_registry.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    // Random defaults (priorities, prefixes) differ from run to run.
    srand(static_cast<unsigned int>(time(nullptr)));
    tekora::CreateGuidRegistry();
  } else if (reason == DLL_PROCESS_DETACH) {
    tekora::FreeGuidRegistry();
  }
  return TRUE;
}
