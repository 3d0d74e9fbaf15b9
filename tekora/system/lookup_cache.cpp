// PAResolveDirectory and PAResolveInclude: where a named directory or an
// included file was found, remembered in section "Cache" of the project
// directory's "age.ini" (read and written with the system's own profile
// calls, not the library's profile cache).
#include <direct.h>
#include <stdlib.h>
#include <string.h>

#include <tekora/core.h>
#include <tekora/cvs.h>
#include <tekora/system.h>
#include <tekora/tree_search.h>

#include "../core/not_found_list.h"

namespace {

const char kCacheSection[] = "Cache";
const char kCacheFile[] = "age.ini";

// The class library's own headers: never searched, never cached.
const char* const kClassLibraryHeaders[] = {"afx.h",   "afxext.h", "afxctl.h",  "afxdisp.h", "afxwin.h",
                                            "afxmt.h", "afxcoll.h", "afxdlgs.h", "afxdb.h",   "afxtempl.h"};

// The project directory (the current one when none is given) in canonical
// form, and the cache file in it.
BOOL BaseDirectory(LPCSTR projectDir, CString& base, CString& cacheFile) {
  if (projectDir && *projectDir) {
    base = projectDir;
  } else {
    char cwd[MAX_PATH];
    if (!_getcwd(cwd, MAX_PATH)) return FALSE;
    base = cwd;
  }
  if (!PANormalizeDirectory(base)) return FALSE;
  cacheFile = base + kCacheFile;
  return TRUE;
}

CString CachedValue(const CString& cacheFile, const CString& key) {
  char value[MAX_PATH] = "";
  GetPrivateProfileStringA(kCacheSection, key, "", value, MAX_PATH, cacheFile);
  return value;
}

// Write failures of the cache are ignored: the answer stands without it.
void Remember(const CString& cacheFile, const CString& key, LPCSTR value) {
  WritePrivateProfileStringA(kCacheSection, key, value, cacheFile);
}

// A cached candidate ("..\..\inc\x.h") resolved against the base: every
// leading ".." takes one directory off the base. FALSE when the base runs
// out of directories.
BOOL ResolveAgainst(const CString& base, CString candidate, CString& full) {
  CString directory(base);
  PANormalizeDirectoryNoSlash(directory);
  while (candidate.Left(2) == "..") {
    candidate = candidate.Mid(3);
    int slash = directory.ReverseFind('\\');
    if (slash < 0) return FALSE;
    directory = directory.Left(slash);
  }
  PANormalizeDirectory(directory);
  full = directory + candidate;
  return TRUE;
}

CString DriveOf(const CString& path) {
  char drive[MAX_PATH + 1] = "";
  char cut[MAX_PATH + 1] = "";
  strncat(cut, path, MAX_PATH);
  _splitpath(cut, drive, NULL, NULL, NULL);
  return drive;
}

}  // namespace

int PAResolveDirectory(LPCSTR projectDir, CString& name) {
  CString base, cacheFile;
  if (!BaseDirectory(projectDir, base, cacheFile)) return 0;
  CString key(name);
  key.MakeLower();
  PANormalizeDirectoryNoSlash(key);
  key = key.Mid(key.ReverseFind('\\') + 1);
  if (key.IsEmpty()) return 0;

  CString cached = CachedValue(cacheFile, key);
  if (!cached.IsEmpty()) {
    if (PACanEnterDirectory(base + cached)) {
      name = cached;
      return 1;
    }
    Remember(cacheFile, key, NULL);
  }
  CString found(key);
  if (!PAFindDirectoryInTree(base, found)) return 0;
  if (PANormalizeDirectory(found)) {
    Remember(cacheFile, key, found);
    name = found;
  }
  return PANormalizeDirectory(name);
}

int PAResolveInclude(LPCSTR projectDir, CString& name, unsigned int) {
  CString base, cacheFile;
  if (!BaseDirectory(projectDir, base, cacheFile)) return 0;
  name.MakeLower();
  const CString given(name);
  CString key;
  PAGetFileName(key, given);
  name = key;
  if (key.IsEmpty()) return 0;

  CString cached = CachedValue(cacheFile, key);
  if (!cached.IsEmpty()) {
    CString candidate = cached + key, full;
    if ((ResolveAgainst(base, candidate, full) && PAFileExists(full, NULL)) || PAFileExists(candidate, NULL)) {
      name = candidate;
      return 1;
    }
    Remember(cacheFile, key, NULL);
  }
  for (const char* header : kClassLibraryHeaders)
    if (key == header) return 0;

  CString absolute(given), found;
  PAFullPath(absolute);
  if (DriveOf(absolute).CompareNoCase(DriveOf(base)) != 0) {
    found = absolute;  // on another drive: no search up this tree finds it
  } else {
    found = key;
    if (!PAFindFileInTree(base, found)) {
      CString existing(given);
      if (!PACheckPath(existing, 0, 0)) return 0;
      // The file is there after all: later searches for it look again.
      tekora::ForgetMissing(key);
      found = existing;
    }
  }
  CString directory;
  PAGetFileDir(directory, found);
  Remember(cacheFile, key, directory);
  name = found;
  return 1;
}
