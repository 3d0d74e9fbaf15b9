// DllGetVersion: tekora's own version, as its callers' version gate reads it.
#include <tekora/core.h>

namespace {

const DWORD kMajor = 1;
const DWORD kMinor = 12;
const DWORD kBuild = 279;
const DWORD kQfe = 0;

}  // namespace

HRESULT CALLBACK DllGetVersion(DLLVERSIONINFO* info) {
  if (!info || IsBadWritePtr(info, sizeof(DLLVERSIONINFO))) return E_INVALIDARG;
  if (info->cbSize != sizeof(DLLVERSIONINFO) && info->cbSize != sizeof(DLLVERSIONINFO2))
    return E_INVALIDARG;

  info->dwMajorVersion = kMajor;
  info->dwMinorVersion = kMinor;
  info->dwBuildNumber = kBuild;
  info->dwPlatformID = DLLVER_PLATFORM_NT;
  if (info->cbSize == sizeof(DLLVERSIONINFO)) return S_OK;

  if (IsBadWritePtr(info, sizeof(DLLVERSIONINFO2))) return E_INVALIDARG;
  DLLVERSIONINFO2* info2 = reinterpret_cast<DLLVERSIONINFO2*>(info);
  info2->dwFlags = 0;
  info2->ullVersion = MAKEDLLVERULL(kMajor, kMinor, kBuild, kQfe);
  return S_OK;
}
