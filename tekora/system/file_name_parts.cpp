// PAGetFileName and PAGetFileDir: the parts of a path, as _splitpath cuts it.
#include <stdlib.h>
#include <string.h>

#include <tekora/cvs.h>

namespace {

// Each part has room for the whole cut path: the runtime's _splitpath does
// not check the sizes.
struct PathParts {
  char drive[MAX_PATH + 1];
  char dir[MAX_PATH + 1];
  char name[MAX_PATH + 1];
  char ext[MAX_PATH + 1];
};

// A path longer than the system's limit is cut to it first.
PathParts Split(LPCSTR path) {
  char cut[MAX_PATH + 1] = "";
  if (path) strncat(cut, path, MAX_PATH);
  PathParts parts;
  _splitpath(cut, parts.drive, parts.dir, parts.name, parts.ext);
  return parts;
}

CString Join(LPCSTR drive, LPCSTR dir, LPCSTR name, LPCSTR ext) {
  char joined[2 * MAX_PATH];
  _makepath(joined, drive, dir, name, ext);
  return joined;
}

}  // namespace

int PAGetFileName(CString& name, LPCSTR path) {
  PathParts parts = Split(path);
  name = Join(NULL, NULL, parts.name, parts.ext);
  return 1;
}

int PAGetFileDir(CString& dir, LPCSTR path) {
  PathParts parts = Split(path);
  dir = Join(parts.drive, parts.dir, NULL, NULL);
  return 1;
}
