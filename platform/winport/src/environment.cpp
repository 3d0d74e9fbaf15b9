// Environment variables with the Windows rules for names and expansion.
#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <windows.h>

#include <string>

extern char** environ;

namespace {

// The entry "NAME=value" of the variable: the exact name if it exists, else
// the first whose name matches without regard to case. Null when none does.
const char* FindEntry(const char* name, size_t length) {
  if (length == 0) return nullptr;
  const char* folded = nullptr;
  for (char** entry = environ; entry && *entry; ++entry) {
    const char* text = *entry;
    if (strncmp(text, name, length) == 0 && text[length] == '=') return text;
    if (!folded && strncasecmp(text, name, length) == 0 && text[length] == '=') folded = text;
  }
  return folded;
}

}  // namespace

extern "C" DWORD WINAPI GetEnvironmentVariableA(LPCSTR lpName, LPSTR lpBuffer, DWORD nSize) {
  const char* entry = lpName ? FindEntry(lpName, strlen(lpName)) : nullptr;
  if (!entry) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  const char* value = entry + strlen(lpName) + 1;
  size_t length = strlen(value);
  if (!lpBuffer || length + 1 > nSize) return static_cast<DWORD>(length + 1);
  memcpy(lpBuffer, value, length + 1);
  return static_cast<DWORD>(length);
}

extern "C" BOOL WINAPI SetEnvironmentVariableA(LPCSTR lpName, LPCSTR lpValue) {
  if (!lpName || !*lpName || strchr(lpName, '=')) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  size_t length = strlen(lpName);
  const char* existing = FindEntry(lpName, length);
  std::string name = existing ? std::string(existing, length) : std::string(lpName);
  int result = lpValue ? setenv(name.c_str(), lpValue, 1) : unsetenv(name.c_str());
  if (result != 0) {
    SetLastError(WinportErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

extern "C" DWORD WINAPI ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize) {
  std::string result;
  const char* p = lpSrc ? lpSrc : "";  // no text expands to an empty one, as on Windows
  while (*p) {
    if (*p != '%') {
      const char* next = strchr(p, '%');
      size_t run = next ? static_cast<size_t>(next - p) : strlen(p);
      result.append(p, run);
      p += run;
      continue;
    }
    const char* close = strchr(p + 1, '%');
    if (!close) {  // a "%" that opens nothing stays as written
      result.append(p);
      break;
    }
    size_t length = static_cast<size_t>(close - p - 1);
    const char* entry = FindEntry(p + 1, length);
    if (entry) {
      result.append(entry + length + 1);
    } else {
      result.append(p, length + 2);  // unknown: "%NAME%" as written
    }
    p = close + 1;
  }
  DWORD needed = static_cast<DWORD>(result.size() + 1);
  if (lpDst && nSize > 0) {
    size_t copy = needed <= nSize ? result.size() : nSize - 1;
    memcpy(lpDst, result.data(), copy);
    lpDst[copy] = '\0';
  }
  return needed;
}
