#include "program_search.h"

#include <ctype.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>
#include <vector>

#include "ascii_text.h"
#include "path_resolver.h"
#include "program_search_cache.h"
#include "win_path.h"

namespace winport {
namespace {

std::string LeafOf(const std::string& name) {
  size_t slash = name.find_last_of("\\/");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

bool HasFolder(const std::string& name) {
  return name.find_first_of("\\/") != std::string::npos ||
         (name.size() >= 2 && isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':');
}

bool IsBatchName(const std::string& path) {
  return EndsWithIgnoreCase(path, ".bat") || EndsWithIgnoreCase(path, ".cmd");
}

std::string ProgramFolder() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return std::string();
  std::string folder(path, static_cast<size_t>(n));
  size_t slash = folder.rfind('/');
  return slash == std::string::npos ? std::string() : folder.substr(0, slash == 0 ? 1 : slash);
}

std::string CurrentFolder() {
  char path[PATH_MAX];
  return getcwd(path, sizeof path) ? std::string(path) : std::string();
}

// Checks one candidate path. ERROR_SUCCESS when it is a program (or batch
// file) to run, ERROR_ACCESS_DENIED when it is a file that may not be run,
// ERROR_FILE_NOT_FOUND when there is no such file.
// `entries` (may be null) receives the path of an entry that exists.
DWORD Check(const std::string& windowsPath, ProgramFile* program, DWORD* notFound, std::vector<std::string>* entries) {
  ResolvedPath resolved = ResolvePath(windowsPath.c_str());
  if (!resolved.valid || !resolved.found) {
    *notFound = resolved.NotFoundError();
    return ERROR_FILE_NOT_FOUND;
  }
  if (entries) entries->push_back(resolved.posix);
  struct stat st;
  if (stat(resolved.posix.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return ERROR_FILE_NOT_FOUND;
  bool batch = IsBatchName(resolved.posix);
  if (!batch && access(resolved.posix.c_str(), X_OK) != 0) return ERROR_ACCESS_DENIED;
  program->posixPath = resolved.posix;
  program->isBatch = batch;
  return ERROR_SUCCESS;
}

// Tries the name variants in one place; the first that can run wins.
DWORD TryVariants(const std::string& prefix, const std::string& name, ProgramFile* program,
                  bool* denied, DWORD* notFound, std::vector<std::string>* entries) {
  for (const std::string& variant : ProgramNameVariants(name)) {
    DWORD result = Check(prefix + variant, program, notFound, entries);
    if (result == ERROR_SUCCESS) return result;
    if (result == ERROR_ACCESS_DENIED) *denied = true;
  }
  return ERROR_FILE_NOT_FOUND;
}

}  // namespace

std::vector<std::string> ProgramNameVariants(const std::string& name) {
  std::string leaf = LeafOf(name);
  if (EndsWithIgnoreCase(leaf, ".exe")) return {name, name.substr(0, name.size() - 4)};
  if (leaf.find('.') != std::string::npos) return {name};
  return {name + ".exe", name};
}

std::vector<std::string> ProgramSearchFolders() {
  std::vector<std::string> folders;
  for (const std::string& folder : {ProgramFolder(), CurrentFolder()}) {
    if (!folder.empty()) folders.push_back(folder);
  }
  if (const char* path = getenv("PATH")) {
    for (std::string& folder : SplitNonEmpty(path, ':')) {
      if (folder[0] == '/') folders.push_back(std::move(folder));  // relative PATH entries are not searched
    }
  }
  return folders;
}

DWORD FindProgram(const std::string& name, bool search, ProgramFile* program) {
  if (name.empty()) return ERROR_FILE_NOT_FOUND;
  bool denied = false;
  DWORD notFound = ERROR_FILE_NOT_FOUND;
  if (!search || HasFolder(name)) {
    if (TryVariants("", name, program, &denied, &notFound, nullptr) == ERROR_SUCCESS) return ERROR_SUCCESS;
    return denied ? ERROR_ACCESS_DENIED : notFound;
  }
  // Never destroyed: programs may be started from other objects' destructors at exit.
  static ProgramSearchCache* answers = new ProgramSearchCache;
  return answers->Find(name, ProgramSearchFolders(), program);
}

DWORD SearchFolder(const std::string& name, const std::string& folder, ProgramFile* program, bool* denied,
                   std::vector<std::string>* entries) {
  DWORD notFound = ERROR_FILE_NOT_FOUND;
  return TryVariants(folder == "/" ? folder : folder + "/", name, program, denied, &notFound, entries);
}

DWORD SearchFolders(const std::string& name, const std::vector<std::string>& folders, ProgramFile* program) {
  bool denied = false;
  for (const std::string& folder : folders) {
    if (SearchFolder(name, folder, program, &denied, nullptr) == ERROR_SUCCESS) return ERROR_SUCCESS;
  }
  return denied ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
}

}  // namespace winport
