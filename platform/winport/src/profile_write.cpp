// WritePrivateProfileStringA: sets or deletes a key, or deletes a section,
// of a profile file, changing nothing else in it.
#include <string.h>
#include <windows.h>

#include <new>
#include <string>

#include "profile_file.h"
#include "profile_text.h"

namespace {

bool HasLineBreak(LPCSTR text) { return text && strpbrk(text, "\r\n") != nullptr; }

}  // namespace

extern "C" BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                                  LPCSTR lpFileName) {
  if (!lpAppName) {
    // All three NULL asks Windows to flush its cache of the file; there is
    // no cache here, and Windows answers FALSE to that request too.
    if (lpKeyName || lpString) SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  // A line break would put lines of the caller's text into the file as
  // sections or keys of their own.
  if (HasLineBreak(lpAppName) || HasLineBreak(lpKeyName) || HasLineBreak(lpString)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::string section = lpAppName;
  const std::string key = lpKeyName ? lpKeyName : "";
  const std::string value = lpString ? lpString : "";
  DWORD error;
  try {
    error = winport::profile::UpdateProfile(
        winport::profile::ProfilePath(lpFileName), [&](std::string& text, bool complete) {
          if (!lpKeyName) return winport::profile::DeleteSection(text, complete, section);
          if (!lpString) return winport::profile::DeleteKey(text, complete, section, key);
          return winport::profile::SetKey(text, complete, section, key, value);
        });
  } catch (const std::bad_alloc&) {
    error = ERROR_NOT_ENOUGH_MEMORY;
  }
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}
