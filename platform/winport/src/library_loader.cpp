// LoadLibraryA, GetProcAddress and friends on the system's dynamic loader.
#include <ctype.h>
#include <dlfcn.h>
#include <limits.h>
#include <link.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>
#include <winport/ordinals.h>

#include <string>
#include <vector>

#include "ascii_text.h"
#include "ordinal_table.h"
#include "path_resolver.h"
#include "win_path.h"

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return text;
}

// The shared library name of a Windows module name: "TEKORA.DLL" and
// "tekora" become "libtekora.so"; a name that already is one stays.
std::string SharedLibraryName(const std::string& module) {
  if (winport::EndsWithIgnoreCase(module, ".so")) return module;
  std::string stem = module;
  if (winport::EndsWithIgnoreCase(stem, ".dll")) stem.resize(stem.size() - 4);
  return "lib" + Lower(stem) + ".so";
}

std::string ProgramFolder() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return std::string();
  path[n] = '\0';
  char* slash = strrchr(path, '/');
  if (!slash) return std::string();
  *slash = '\0';
  return path[0] ? path : "/";
}

bool IsFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The POSIX path of `name` in `folder` (a Windows path), found without regard to case.
std::string InFolder(const std::string& folder, const std::string& name) {
  std::string joined = folder + "\\" + name;
  winport::ResolvedPath resolved = winport::ResolvePath(joined.c_str());
  return resolved.found ? resolved.posix : std::string();
}

// Where a module name may be found, in the order they are tried; an entry
// without a "/" goes to the system loader's own search.
std::vector<std::string> Candidates(const std::string& name) {
  std::vector<std::string> candidates;
  std::string library = SharedLibraryName(name);
  size_t separator = name.find_last_of("\\/");
  if (separator != std::string::npos) {
    std::string folder = name.substr(0, separator);
    if (folder.empty()) folder = "\\";
    std::string leaf = name.substr(separator + 1);
    for (const std::string& file : {SharedLibraryName(leaf), leaf}) {
      std::string found = InFolder(folder, file);
      if (!found.empty()) candidates.push_back(found);
    }
    return candidates;
  }
  std::string programFolder = ProgramFolder();
  if (!programFolder.empty()) {
    std::string found = InFolder(programFolder, library);
    if (!found.empty()) candidates.push_back(found);
  }
  candidates.push_back(library);
  if (!programFolder.empty()) {
    std::string found = InFolder(programFolder, name);
    if (!found.empty()) candidates.push_back(found);
  }
  candidates.push_back(name);
  return candidates;
}

struct link_map* LinkMapOf(void* handle) {
  struct link_map* map = nullptr;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0) return nullptr;
  return map;
}

// The symbol only when the module itself defines it: dlsym also searches
// the module's dependencies, GetProcAddress never does.
void* OwnSymbol(void* handle, const char* name) {
  void* symbol = dlsym(handle, name);
  if (!symbol) return nullptr;
  Dl_info info;
  struct link_map* definedIn = nullptr;
  if (!dladdr1(symbol, &info, reinterpret_cast<void**>(&definedIn), RTLD_DL_LINKMAP)) return nullptr;
  return definedIn == LinkMapOf(handle) ? symbol : nullptr;
}

}  // namespace

namespace winport {

const char* FindOrdinalName(const WinportOrdinal* table, WORD ordinal) {
  if (!table || ordinal == 0) return nullptr;
  for (const WinportOrdinal* entry = table; entry->ordinal != 0; ++entry)
    if (entry->ordinal == ordinal) return entry->name;
  return nullptr;
}

}  // namespace winport

extern "C" HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
  if (!lpLibFileName || !*lpLibFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  for (const std::string& candidate : Candidates(lpLibFileName)) {
    bool isPath = candidate.find('/') != std::string::npos;
    if (isPath && !IsFile(candidate)) continue;
    if (void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) {
      SetLastError(ERROR_SUCCESS);
      return static_cast<HMODULE>(handle);
    }
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

extern "C" BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
  if (!hLibModule || dlclose(hLibModule) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

extern "C" FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  if (!hModule) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const char* name = lpProcName;
  if (IS_INTRESOURCE(lpProcName)) {
    // By ordinal: the module's own table names the export.
    WORD ordinal = LOWORD(reinterpret_cast<ULONG_PTR>(lpProcName));
    const WinportOrdinal* table =
        static_cast<const WinportOrdinal*>(OwnSymbol(hModule, WINPORT_ORDINAL_TABLE_SYMBOL));
    name = winport::FindOrdinalName(table, ordinal);
  }
  void* symbol = name ? OwnSymbol(hModule, name) : nullptr;
  if (!symbol) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}

extern "C" HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
  if (!lpModuleName) {
    void* self = dlopen(nullptr, RTLD_NOW);
    if (self) dlclose(self);  // the program's handle stays valid; keep no reference
    return static_cast<HMODULE>(self);
  }
  for (const std::string& candidate : Candidates(lpModuleName)) {
    if (void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_NOLOAD)) {
      dlclose(handle);  // RTLD_NOLOAD took a reference; the module stays loaded by its owner
      return static_cast<HMODULE>(handle);
    }
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

extern "C" DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  std::string path;
  struct link_map* map = hModule ? LinkMapOf(hModule) : nullptr;
  if (map && map->l_name && map->l_name[0]) {
    char real[PATH_MAX];
    path = realpath(map->l_name, real) ? real : map->l_name;
  } else if (!hModule || map) {
    // The program itself (its link map has an empty name).
    char real[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", real, sizeof real - 1);
    if (n > 0) path.assign(real, static_cast<size_t>(n));
  }
  if (path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  path = winport::PosixToWindows(path);
  if (!lpFilename || nSize == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (path.size() + 1 > nSize) {
    memcpy(lpFilename, path.data(), nSize - 1);
    lpFilename[nSize - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
  }
  memcpy(lpFilename, path.c_str(), path.size() + 1);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(path.size());
}
