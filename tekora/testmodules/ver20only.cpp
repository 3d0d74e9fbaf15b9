// A module whose DllGetVersion knows only the 20-byte record: version 1.12.279.
#include <shlwapi.h>
#include <windows.h>

extern "C" HRESULT CALLBACK DllGetVersion(DLLVERSIONINFO* info) {
  if (info->cbSize != sizeof(DLLVERSIONINFO)) return E_INVALIDARG;
  info->dwMajorVersion = 1;
  info->dwMinorVersion = 12;
  info->dwBuildNumber = 279;
  info->dwPlatformID = DLLVER_PLATFORM_NT;
  return S_OK;
}
