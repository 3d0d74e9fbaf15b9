// Writing one key of a script's settings block the way the POSIX layer's
// profile calls write a key, on every platform: only the key's line changes
// (or a line, or the section, is added), every other byte of the script
// stays as it is; Windows' own profile writer would rewrite the whole file.
#pragma once

#include <afx.h>

namespace tekora {
namespace scriptsettings {

// Sets `key` of `section` in the script at `path` (a bare name is in the
// Windows directory, as for the profile calls) to `value` (leading blanks
// dropped), creating the script when it is missing. The new content
// replaces the script only once it is complete. True when the key has the
// value afterwards (also when nothing had to change); false when the script
// cannot be read or written, and it is then as it was.
bool WriteSettingsKey(LPCSTR path, LPCSTR section, LPCSTR key, LPCSTR value);

}  // namespace scriptsettings
}  // namespace tekora
