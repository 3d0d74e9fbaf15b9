// PACompareModuleVersion: the version gate of the suite's tools.
#include <string.h>

#include <tekora/core.h>

namespace {

// Calls a module's DllGetVersion; anything the module throws counts as
// E_UNEXPECTED, so a faulty module cannot take its caller down with it.
HRESULT CallGuarded(DLLGETVERSIONPROC getVersion, DLLVERSIONINFO2& record, DWORD size) {
  memset(&record, 0, sizeof record);
  record.info1.cbSize = size;
  try {
    return getVersion(&record.info1);
  } catch (...) {
    return E_UNEXPECTED;
  }
}

// Sign of the first difference: +part when the module's value is higher.
template <typename T>
int Compare(T actual, T expected, int part) {
  if (actual > expected) return part;
  if (actual < expected) return -part;
  return 0;
}

// The 32-byte record: four 16-bit parts of ullVersion. The expected values are
// placed as 64-bit quantities the way the record packs them: only the major's
// low 16 bits count, while a build above 65535 stays higher than any module's.
int CompareFullVersion(ULONGLONG version, unsigned int major, unsigned int minor,
                       unsigned int build, unsigned int qfe) {
  const ULONGLONG parts[4][2] = {
      {version & 0xFFFF000000000000ULL, static_cast<ULONGLONG>(major) << 48},
      {(version >> 32) & 0xFFFF, minor},
      {(version >> 16) & 0xFFFF, build},
      {version & 0xFFFF, qfe},
  };
  for (int part = 0; part < 4; ++part) {
    if (int result = Compare(parts[part][0], parts[part][1], part + 1)) return result;
  }
  return 0;
}

int CompareShortVersion(const DLLVERSIONINFO& info, unsigned int major, unsigned int minor,
                        unsigned int build) {
  if (int result = Compare<unsigned int>(info.dwMajorVersion, major, 1)) return result;
  if (int result = Compare<unsigned int>(info.dwMinorVersion, minor, 2)) return result;
  return Compare<unsigned int>(info.dwBuildNumber, build, 3);
}

}  // namespace

int PACompareModuleVersion(LPCSTR moduleName, unsigned int major, unsigned int minor,
                           unsigned int build, unsigned int qfe) {
  HMODULE module = LoadLibraryA(moduleName);
  if (!module) return -1;
  auto getVersion =
      reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")));
  if (!getVersion) {
    FreeLibrary(module);
    return -1;
  }

  DLLVERSIONINFO2 record;
  HRESULT result = CallGuarded(getVersion, record, sizeof(DLLVERSIONINFO2));
  if (FAILED(result)) result = CallGuarded(getVersion, record, sizeof(DLLVERSIONINFO));
  FreeLibrary(module);
  if (FAILED(result)) return -1;

  if (record.info1.cbSize == sizeof(DLLVERSIONINFO2))
    return CompareFullVersion(record.ullVersion, major, minor, build, qfe);
  return CompareShortVersion(record.info1, major, minor, build);
}
