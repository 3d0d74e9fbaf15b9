#include "program_search.h"

#include <ctype.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "path_resolver.h"
#include "win_path.h"

namespace winport {
namespace {

bool EndsWithIgnoringCase(const std::string& text, const char* suffix) {
  size_t n = strlen(suffix);
  return text.size() >= n && strcasecmp(text.c_str() + text.size() - n, suffix) == 0;
}

std::string LeafOf(const std::string& name) {
  size_t slash = name.find_last_of("\\/");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

bool HasFolder(const std::string& name) {
  return name.find_first_of("\\/") != std::string::npos ||
         (name.size() >= 2 && isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':');
}

bool IsBatchName(const std::string& path) {
  return EndsWithIgnoringCase(path, ".bat") || EndsWithIgnoringCase(path, ".cmd");
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
DWORD Check(const std::string& windowsPath, ProgramFile* program, DWORD* notFound) {
  ResolvedPath resolved = ResolvePath(windowsPath.c_str());
  if (!resolved.valid || !resolved.found) {
    *notFound = resolved.NotFoundError();
    return ERROR_FILE_NOT_FOUND;
  }
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
                  bool* denied, DWORD* notFound) {
  for (const std::string& variant : ProgramNameVariants(name)) {
    DWORD result = Check(prefix + variant, program, notFound);
    if (result == ERROR_SUCCESS) return result;
    if (result == ERROR_ACCESS_DENIED) *denied = true;
  }
  return ERROR_FILE_NOT_FOUND;
}

}  // namespace

std::vector<std::string> ProgramNameVariants(const std::string& name) {
  std::string leaf = LeafOf(name);
  if (EndsWithIgnoringCase(leaf, ".exe")) return {name, name.substr(0, name.size() - 4)};
  if (leaf.find('.') != std::string::npos) return {name};
  return {name + ".exe", name};
}

std::vector<std::string> ProgramSearchFolders() {
  std::vector<std::string> folders;
  for (const std::string& folder : {ProgramFolder(), CurrentFolder()}) {
    if (!folder.empty()) folders.push_back(folder);
  }
  if (const char* path = getenv("PATH")) {
    std::string list = path;
    size_t start = 0;
    while (start <= list.size()) {
      size_t end = list.find(':', start);
      if (end == std::string::npos) end = list.size();
      if (end > start && list[start] == '/') folders.push_back(list.substr(start, end - start));
      start = end + 1;
    }
  }
  return folders;
}

DWORD FindProgram(const std::string& name, bool search, ProgramFile* program) {
  if (name.empty()) return ERROR_FILE_NOT_FOUND;
  bool denied = false;
  DWORD notFound = ERROR_FILE_NOT_FOUND;
  if (!search || HasFolder(name)) {
    if (TryVariants("", name, program, &denied, &notFound) == ERROR_SUCCESS) return ERROR_SUCCESS;
    return denied ? ERROR_ACCESS_DENIED : notFound;
  }
  for (const std::string& folder : ProgramSearchFolders()) {
    std::string prefix = folder == "/" ? folder : folder + "/";
    if (TryVariants(prefix, name, program, &denied, &notFound) == ERROR_SUCCESS) return ERROR_SUCCESS;
  }
  return denied ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
}

}  // namespace winport
