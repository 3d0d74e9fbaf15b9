// Core helpers: directory and module version checks, path and file-name helpers.
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

// The same canonical form without the final "\": trims, lower-cases, turns
// "/" into "\" and removes one trailing "\" ("C:\Work\" gives "c:\work",
// "c:\" gives "c:"). 0 (and an empty path) when nothing is left, else 1.
int PANormalizeDirectoryNoSlash(CString& path);

// Turns every "\\" pair into one "/", then every remaining "\" into "/"
// ("\\server\share" gives "/server/share"). 1 when anything was replaced;
// 0, with the path unchanged, when it holds no backslash.
int PAToForwardSlashes(CString& path);

// The Windows directory in canonical form (lower case, trailing "\") into
// `directory`. 1, or 0 (directory unchanged) when the system cannot say.
int PAGetWindowsDirectory(CString& directory);

// Creates a new empty file with a unique name ("QZT" and a number, ".tmp")
// in `directory`, or in the system's temporary folder when it is null or
// empty, and puts its full name into `fileName`. 1; 0 with `fileName` empty
// when no file could be created.
int PAGetTempFileName(CString& fileName, LPCSTR directory);

// Expands a name pattern for the file `fullPath` into `name`: "%P"/"%p" the
// prefix, "%N"/"%n" the file name, "%E"/"%e" the extension without its dot,
// "%M"/"%m" the file name less the prefix at its front (upper/lower case
// each), "%%" a percent sign; other characters are copied. An unknown code
// is dropped with a warning on standard output. The result is cut at 259
// characters. 1; 0 when pattern or prefix is null or the pattern is empty
// (`name` is emptied unless pattern or prefix is null).
int PAExpandNamePattern(CString& name, LPCSTR fullPath, LPCSTR pattern, LPCSTR prefix);

// Whether the extension of `fileName` (from its last ".") matches an item
// of the ";"-separated `extensionList` ("*" any run, "?" one character,
// compared without regard to case). The list is rewritten in its canonical
// form: each item lower case, starting with "." and followed by ";"
// (".CPP;H" becomes ".cpp;.h;"). 1 on a match; 0 otherwise, and the list is
// left alone when the name or the list is empty or the name has no ".".
int PAMatchExtensionList(LPCSTR fileName, CString& extensionList);

}  // extern "C"
