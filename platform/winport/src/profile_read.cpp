// GetPrivateProfileStringA and GetPrivateProfileIntA: one value, or the
// names of the sections or keys, of a profile file.
#include <string.h>
#include <windows.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "profile_file.h"
#include "profile_text.h"

namespace {

using winport::profile::Section;

// Copies text, cut to nSize - 1 characters, and a terminator; the result is
// the number of characters copied.
DWORD CopyValue(const std::string& text, LPSTR buffer, DWORD nSize) {
  const size_t length = std::min<size_t>(text.size(), nSize - 1);
  memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return static_cast<DWORD>(length);
}

// Copies names, each followed by a zero, and one more zero. A list that does
// not fit is cut and ends in two zeros; the result is then nSize - 2.
DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD nSize) {
  if (nSize < 2) {
    buffer[0] = '\0';
    return 0;
  }
  size_t at = 0;
  for (const std::string& full : names) {
    const std::string name = full.substr(0, full.find('\0'));
    if (at + name.size() + 2 > nSize) {
      // The names so far may already fill the buffer up to its last byte.
      const size_t room = at < nSize - 2 ? nSize - 2 - at : 0;
      memcpy(buffer + at, name.data(), room);
      buffer[nSize - 2] = '\0';
      buffer[nSize - 1] = '\0';
      return nSize - 2;
    }
    memcpy(buffer + at, name.data(), name.size());
    at += name.size();
    buffer[at++] = '\0';
  }
  buffer[at] = '\0';
  return static_cast<DWORD>(at);
}

// The default value: NULL is "", and trailing blanks are dropped.
std::string DefaultValue(LPCSTR lpDefault) {
  std::string value = lpDefault ? lpDefault : "";
  while (!value.empty() && value.back() == ' ') value.pop_back();
  return value;
}

}  // namespace

extern "C" DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                                 LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
  if (!lpReturnedString || nSize == 0) return 0;
  try {
    // What the file says, taken from as much of it as is needed: the first
    // section of the name decides, so once it has ended (or the key has
    // turned up in it) the rest of the file cannot change the answer.
    std::vector<std::string> names;
    bool found = false;
    std::string value;
    const DWORD readError = winport::profile::ReadProfile(
        winport::profile::ProfilePath(lpFileName), [&](const std::string& text, bool complete) {
          if (!lpAppName) {
            if (complete) names = winport::profile::SectionNames(text);
            return complete;
          }
          const Section section = winport::profile::FindSection(text, lpAppName);
          const bool sectionEnded = section.found && section.bodyEnd < text.size();
          if (!lpKeyName) {
            found = section.found;
            names = winport::profile::KeyNames(text, section);
            return complete || sectionEnded;
          }
          const winport::profile::Key key = winport::profile::FindKey(text, section, lpKeyName);
          found = key.found && key.hasValue;
          if (found) value = winport::profile::Unquoted(key.value);
          return complete || key.found || sectionEnded;
        });

    if (!lpAppName || !lpKeyName) {
      DWORD error = readError;
      if (error == ERROR_SUCCESS && lpAppName && !found) error = ERROR_FILE_NOT_FOUND;
      SetLastError(error);
      return CopyList(names, lpReturnedString, nSize);
    }
    if (readError == ERROR_SUCCESS && found) {
      SetLastError(ERROR_SUCCESS);
      return CopyValue(value, lpReturnedString, nSize);
    }
    SetLastError(readError != ERROR_SUCCESS ? readError : ERROR_FILE_NOT_FOUND);
    return CopyValue(DefaultValue(lpDefault), lpReturnedString, nSize);
  } catch (const std::bad_alloc&) {
    lpReturnedString[0] = '\0';
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
}

extern "C" UINT WINAPI GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault,
                                             LPCSTR lpFileName) {
  // Windows reads the value into a small buffer, so only its start counts.
  char buffer[30];
  if (GetPrivateProfileStringA(lpAppName, lpKeyName, "", buffer, sizeof buffer, lpFileName) == 0 ||
      buffer[0] == '\0') {
    return static_cast<UINT>(nDefault);
  }
  const char* p = buffer;
  while (*p != '\0' && static_cast<unsigned char>(*p) <= ' ') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  unsigned int base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'o' || p[1] == 'b')) {
    base = p[1] == 'x' ? 16 : p[1] == 'o' ? 8 : 2;
    p += 2;
  }
  UINT value = 0;
  for (; *p != '\0'; ++p) {
    unsigned int digit;
    if (*p >= '0' && *p <= '9') {
      digit = static_cast<unsigned int>(*p - '0');
    } else if (*p >= 'a' && *p <= 'z') {
      digit = static_cast<unsigned int>(*p - 'a' + 10);
    } else if (*p >= 'A' && *p <= 'Z') {
      digit = static_cast<unsigned int>(*p - 'A' + 10);
    } else {
      break;
    }
    if (digit >= base) break;
    value = value * base + digit;  // wraps around at 32 bits, as Windows does
  }
  return negative ? 0u - value : value;
}
