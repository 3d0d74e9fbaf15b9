// PAGetFileName and PAGetFileDir: the parts of a path that name a file and
// the folder it is in.
#include <stdlib.h>
#include <string.h>

#include <tekora/system.h>

namespace {

// Splits at most the first 260 characters of the path (a null path is empty).
void Split(LPCSTR path, char* drive, char* dir, char* fname, char* ext) {
  char cut[MAX_PATH + 1] = "";
  if (path) {
    strncpy(cut, path, MAX_PATH);
    cut[MAX_PATH] = '\0';
  }
  _splitpath(cut, drive, dir, fname, ext);
}

// Joins two parts, keeping the result within 259 characters as the
// runtime's bounded join does.
CString Join(const char* first, const char* second) {
  CString joined = CString(first) + second;
  if (joined.GetLength() >= MAX_PATH) joined.Truncate(MAX_PATH - 1);
  return joined;
}

}  // namespace

int PAGetFileName(CString& out, LPCSTR path) {
  char fname[MAX_PATH + 1], ext[MAX_PATH + 1];
  Split(path, NULL, NULL, fname, ext);
  out = Join(fname, ext);
  return 1;
}

int PAGetFileDir(CString& out, LPCSTR path) {
  char drive[MAX_PATH + 1], dir[MAX_PATH + 1];
  Split(path, drive, dir, NULL, NULL);
  out = Join(drive, dir);
  return 1;
}
