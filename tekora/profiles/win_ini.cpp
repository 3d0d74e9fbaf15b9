// The WIN.INI profile calls: the private-profile calls on the Windows
// directory's WIN.INI, through the same cache as every other file.
#include <tekora/core.h>
#include <tekora/profiles.h>

#include "../string_ids.h"

void PAGetWinIniPath(CString& path) {
  path.Empty();
  try {
    CString directory;
    if (!PAGetWindowsDirectory(directory)) return;
    CString name;
    name.LoadString(IDS_PA_WIN_INI);
    path = directory + name;
  } catch (CException* e) {
    e->Delete();
    path.Empty();
  }
}

namespace {

// WIN.INI's path, or an empty text (which every private-profile call refuses).
CString WinIni() {
  CString path;
  PAGetWinIniPath(path);
  return path;
}

}  // namespace

int PAGetProfileInt(LPCSTR section, LPCSTR key, int defaultValue) {
  try {
    return PAGetPrivateProfileInt(section, key, defaultValue, WinIni());
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}

int PAGetProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, unsigned int size) {
  try {
    return PAGetPrivateProfileString(section, key, defaultValue, buffer, size, WinIni());
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}

int PAWriteProfileString(LPCSTR section, LPCSTR key, LPCSTR value) {
  try {
    return PAWritePrivateProfileString(section, key, value, WinIni());
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}

int PAProfileReserved(void) { return 0; }
