// PAFullPath: a path made absolute and lower case.
#include <stdlib.h>

#include <tekora/system.h>

int PAFullPath(CString& path) {
  char absolute[MAX_PATH];
  if (!_fullpath(absolute, path, MAX_PATH)) return 0;
  path = absolute;
  path.MakeLower();
  return 1;
}
