// GetTempPathA and GetTempFileNameA.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <windows.h>

#include <atomic>
#include <string>

#include "file_open.h"
#include "path_resolver.h"
#include "win_path.h"

namespace {

// A starting number that differs between processes and between calls, so
// that concurrent callers rarely try the same names.
unsigned StartingNumber() {
  static std::atomic<unsigned> counter{0};
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  unsigned seed = static_cast<unsigned>(now.tv_nsec) ^ static_cast<unsigned>(now.tv_sec) * 2654435761u ^
                  static_cast<unsigned>(getpid()) * 40503u ^ counter.fetch_add(7919);
  unsigned number = (seed ^ (seed >> 16)) & 0xFFFF;
  return number == 0 ? 1 : number;
}

std::string TempName(const std::string& folder, const char* prefix, unsigned number) {
  std::string name = folder;
  if (!name.empty() && name.back() != '\\' && name.back() != '/') name += '\\';
  name.append(prefix, strnlen(prefix, 3));
  char digits[16];
  snprintf(digits, sizeof digits, "%X.TMP", number & 0xFFFF);
  return name + digits;
}

}  // namespace

extern "C" DWORD WINAPI GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer) {
  const char* tmpdir = getenv("TMPDIR");
  std::string folder = tmpdir && *tmpdir ? tmpdir : "/tmp";
  winport::AbsolutePath absolute;
  if (!winport::MakeAbsolute(folder.c_str(), &absolute)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return 0;
  }
  absolute.trailingSeparator = true;
  std::string result = winport::JoinWindows(absolute);
  if (!lpBuffer || nBufferLength < result.size() + 1) return static_cast<DWORD>(result.size() + 1);
  memcpy(lpBuffer, result.c_str(), result.size() + 1);
  return static_cast<DWORD>(result.size());
}

extern "C" UINT WINAPI GetTempFileNameA(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique,
                                        LPSTR lpTempFileName) {
  if (!lpPathName || !lpTempFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const char* prefix = lpPrefixString ? lpPrefixString : "";
  if (strlen(lpPathName) > MAX_PATH - 14) {
    SetLastError(ERROR_BUFFER_OVERFLOW);
    return 0;
  }
  if (uUnique != 0) {
    std::string name = TempName(lpPathName, prefix, uUnique);
    memcpy(lpTempFileName, name.c_str(), name.size() + 1);
    return uUnique;
  }

  winport::ResolvedPath folder = winport::ResolvePath(*lpPathName ? lpPathName : ".");
  struct stat st;
  if (!folder.found || stat(folder.posix.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    SetLastError(ERROR_DIRECTORY);
    return 0;
  }
  unsigned number = StartingNumber();
  for (unsigned tries = 0; tries < 0xFFFF; ++tries) {
    std::string name = TempName(lpPathName, prefix, number);
    winport::FileOpenRequest request;
    request.write = true;
    request.disposition = CREATE_NEW;
    winport::FileOpenResult created = winport::OpenFile(name.c_str(), request);
    if (created.fd >= 0) {
      close(created.fd);
      memcpy(lpTempFileName, name.c_str(), name.size() + 1);
      SetLastError(ERROR_SUCCESS);
      return number;
    }
    // Taken (by a file, or a folder of that name): try the next number.
    if (created.error != ERROR_FILE_EXISTS && created.error != ERROR_ACCESS_DENIED) {
      SetLastError(created.error);
      return 0;
    }
    number = number == 0xFFFF ? 1 : number + 1;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return 0;
}
