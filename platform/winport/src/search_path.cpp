// SearchPathA: a file found along a search path, names without regard to
// case.
#include <string.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>
#include <vector>

#include "path_resolver.h"
#include "program_search.h"
#include "win_path.h"

namespace {

bool HasFolder(const std::string& name) {
  return name.find_first_of("\\/") != std::string::npos || (name.size() >= 2 && name[1] == ':');
}

// The folders of a ";"-separated list, empty entries left out.
std::vector<std::string> SplitList(const char* list) {
  std::vector<std::string> folders;
  std::string text = list;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) folders.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}

// The candidate's full Windows path when it names an existing file.
bool FileAt(const std::string& candidate, std::string* full) {
  winport::ResolvedPath resolved = winport::ResolvePath(candidate.c_str());
  struct stat st;
  if (!resolved.valid || !resolved.found || stat(resolved.posix.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
    return false;
  }
  winport::AbsolutePath absolute;
  if (!winport::MakeAbsolute(candidate.c_str(), &absolute)) return false;
  *full = winport::JoinWindows(absolute);
  return true;
}

}  // namespace

extern "C" DWORD WINAPI SearchPathA(LPCSTR lpPath, LPCSTR lpFileName, LPCSTR lpExtension, DWORD nBufferLength,
                                    LPSTR lpBuffer, LPSTR* lpFilePart) {
  if (lpFileName == NULL || *lpFileName == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string name = lpFileName;
  const size_t leaf = name.find_last_of("\\/");
  const std::string leafName = leaf == std::string::npos ? name : name.substr(leaf + 1);
  if (lpExtension != NULL && leafName.find('.') == std::string::npos) name += lpExtension;

  std::vector<std::string> folders;
  if (HasFolder(name)) {
    folders.push_back("");
  } else if (lpPath != NULL) {
    folders = SplitList(lpPath);
  } else {
    folders = winport::ProgramSearchFolders();
  }
  std::string full;
  bool found = false;
  for (const std::string& folder : folders) {
    std::string candidate = folder.empty() ? name : folder;
    if (!folder.empty()) {
      if (!winport::IsSeparator(candidate.back())) candidate += '\\';
      candidate += name;
    }
    if (FileAt(candidate, &full)) {
      found = true;
      break;
    }
  }
  if (!found) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  if (lpBuffer == NULL || nBufferLength < full.size() + 1) return static_cast<DWORD>(full.size() + 1);
  memcpy(lpBuffer, full.c_str(), full.size() + 1);
  if (lpFilePart != NULL) *lpFilePart = lpBuffer + full.find_last_of('\\') + 1;
  return static_cast<DWORD>(full.size());
}
