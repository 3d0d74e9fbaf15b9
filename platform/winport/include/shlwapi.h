// The shell's module version record, as DllGetVersion fills it.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#define DLLVER_PLATFORM_WINDOWS 0x00000001
#define DLLVER_PLATFORM_NT 0x00000002

typedef struct _DLLVERSIONINFO {
  DWORD cbSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformID;
} DLLVERSIONINFO;

typedef struct _DLLVERSIONINFO2 {
  DLLVERSIONINFO info1;
  DWORD dwFlags;
  ULONGLONG ullVersion;
} DLLVERSIONINFO2;

#define DLLVER_MAJOR_MASK 0xFFFF000000000000ULL
#define DLLVER_MINOR_MASK 0x0000FFFF00000000ULL
#define DLLVER_BUILD_MASK 0x00000000FFFF0000ULL
#define DLLVER_QFE_MASK 0x000000000000FFFFULL
#define MAKEDLLVERULL(major, minor, build, qfe)                                         \
  (((ULONGLONG)(major) << 48) | ((ULONGLONG)(minor) << 32) | ((ULONGLONG)(build) << 16) | \
   ((ULONGLONG)(qfe) << 0))

typedef HRESULT(CALLBACK* DLLGETVERSIONPROC)(DLLVERSIONINFO*);

#ifdef __cplusplus
}
#endif
