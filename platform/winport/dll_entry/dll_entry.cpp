// The loader's calls of a library's DllMain, made by a shared library on POSIX.
//
// Windows calls DllMain when a library is attached to a process and when it
// is detached. Linked into a shared library, this unit makes the same calls
// from the library's constructor and destructor.
#include <windows.h>
#include <dlfcn.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

namespace {

HINSTANCE g_instance = nullptr;

HINSTANCE OwnHandle() {
  Dl_info info;
  if (!dladdr(reinterpret_cast<void*>(&OwnHandle), &info)) return nullptr;
  void* handle = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
  if (handle) dlclose(handle);  // keep no extra reference: the handle stays valid while loaded
  return static_cast<HINSTANCE>(handle);
}

__attribute__((constructor)) void ProcessAttach() {
  g_instance = OwnHandle();
  DllMain(g_instance, DLL_PROCESS_ATTACH, nullptr);
}

__attribute__((destructor)) void ProcessDetach() { DllMain(g_instance, DLL_PROCESS_DETACH, nullptr); }

}  // namespace
