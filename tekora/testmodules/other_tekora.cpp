// tekora as another release would present it to a program built for 1.12.279:
// DllGetVersion reports 1.12.280, and the version gate says so.
#include <shlwapi.h>
#include <windows.h>

#include <afx.h>

extern "C" HRESULT CALLBACK DllGetVersion(DLLVERSIONINFO* info) {
  info->dwMajorVersion = 1;
  info->dwMinorVersion = 12;
  info->dwBuildNumber = 280;
  info->dwPlatformID = DLLVER_PLATFORM_NT;
  return S_OK;
}

extern "C" int PACompareModuleVersion(LPCSTR, unsigned int, unsigned int, unsigned int, unsigned int) {
  return 3;
}

extern "C" int PACheckPath(CString&, int, int) { return 0; }
