// PANormalizeDirectory and PANormalizeDirectoryNoSlash: the canonical form
// of a directory, with and without its final backslash.
#include <tekora/core.h>

int PANormalizeDirectory(CString& path) {
  path.Trim();
  path.MakeLower();
  path.Replace('/', '\\');
  if (path.IsEmpty()) return 0;
  if (path[path.GetLength() - 1] != '\\') path += '\\';
  return 1;
}

int PANormalizeDirectoryNoSlash(CString& path) {
  // The canonical form always ends with exactly the one backslash added or
  // kept there, so dropping the last character removes just that one.
  if (!PANormalizeDirectory(path)) return 0;
  path.Truncate(path.GetLength() - 1);
  return 1;
}
