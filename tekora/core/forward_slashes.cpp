// PAToForwardSlashes: a path written with forward slashes, for tools and
// servers that want them.
#include <tekora/core.h>

int PAToForwardSlashes(CString& path) {
  CString copy = path;
  // A "\\" pair (the start of a UNC name) becomes a single "/".
  int replaced = copy.Replace("\\\\", "/");
  replaced += copy.Replace('\\', '/');
  if (replaced == 0) return 0;
  path = copy;
  return 1;
}
