// PACanEnterDirectory: whether the process could change into a directory.
#include <windows.h>

#include <tekora/system.h>

int PACanEnterDirectory(LPCSTR path) {
  char saved[MAX_PATH];
  DWORD length = GetCurrentDirectoryA(MAX_PATH, saved);
  // A directory that does not fit the buffer could not be changed back to.
  if (length == 0 || length >= MAX_PATH) return 0;
  const BOOL entered = path != NULL && SetCurrentDirectoryA(path);
  SetCurrentDirectoryA(saved);
  return entered ? 1 : 0;
}
