// PAGetTempFileName: a new, empty file with a unique name.
#include <string.h>

#include <tekora/core.h>

#include "../string_ids.h"

namespace {

// GetTempFileNameA appends "\" + three prefix characters + up to four hex
// digits + ".tmp" to the folder, all within MAX_PATH.
const size_t kLongestFolder = MAX_PATH - 14;

}  // namespace

int PAGetTempFileName(CString& fileName, LPCSTR directory) {
  fileName.Empty();
  char folder[MAX_PATH];
  if (directory && *directory) {
    if (strlen(directory) > kLongestFolder) return 0;
    strcpy(folder, directory);
  } else {
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length > kLongestFolder) return 0;
  }
  const CString prefix(MAKEINTRESOURCEA(IDS_PA_TEMP_FILE_PREFIX));
  char name[MAX_PATH];
  if (GetTempFileNameA(folder, prefix, 0, name) == 0) return 0;
  fileName = name;
  return 1;
}
