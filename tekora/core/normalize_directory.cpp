// PANormalizeDirectory: the canonical form of a directory.
#include <tekora/core.h>

int PANormalizeDirectory(CString& path) {
  path.Trim();
  path.MakeLower();
  path.Replace('/', '\\');
  if (path.IsEmpty()) return 0;
  if (path[path.GetLength() - 1] != '\\') path += '\\';
  return 1;
}
