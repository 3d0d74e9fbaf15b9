// PAGetWindowsDirectory: the Windows directory in canonical form.
#include <tekora/core.h>

int PAGetWindowsDirectory(CString& directory) {
  char buffer[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
  // A result of MAX_PATH or more is the size the path would need: the
  // buffer then holds nothing usable.
  if (length == 0 || length >= MAX_PATH) return 0;
  directory = buffer;
  return PANormalizeDirectory(directory);
}
