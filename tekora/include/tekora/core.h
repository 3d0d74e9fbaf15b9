// Core helpers: directory and module version checks, path helpers.
#pragma once

#include <afx.h>
#include <shlwapi.h>
#include <windows.h>

extern "C" {

// Reports tekora's own version, 1.12.279.0, in a DLLVERSIONINFO record (cbSize
// 20) or DLLVERSIONINFO2 record (cbSize 32). S_OK, or E_INVALIDARG for a null
// or unwritable record or another cbSize (then nothing is written).
HRESULT CALLBACK DllGetVersion(DLLVERSIONINFO* info);

// Rewrites `path` to its absolute, lower-case form and then either tests that
// something exists under it (changeDir 0: 1 found, 0 not), or changes the
// working directory into it (changeDir non-zero: the path is first normalised
// as a directory; 1 if the change succeeded; a path holding "$" is never
// entered). With restoreDir non-zero the working directory is changed back at
// once. An empty path gives 0 and stays empty.
int PACheckPath(CString& path, int changeDir, int restoreDir);

// Loads the module, asks its DllGetVersion for its version and compares it part
// by part (major, minor, build, QFE) with the expected one. 0 when equal; +n
// or -n when part n (1 major ... 4 QFE) is the first that differs, positive
// when the module's is higher. -1 also when the module does not load, has no
// DllGetVersion, or both calls of it fail. The QFE is compared only when the
// module fills the 32-byte record.
int PACompareModuleVersion(LPCSTR moduleName, unsigned int major, unsigned int minor,
                           unsigned int build, unsigned int qfe);

// Trims white space, lower-cases, turns "/" into "\" and ends the path with one
// "\". 0 (and an empty path) when nothing is left, else 1.
int PANormalizeDirectory(CString& path);

}  // extern "C"
