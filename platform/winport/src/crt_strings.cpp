// The Windows runtime's string extras: case-blind comparisons, case changes
// and the bounded printf whose result tells truncation by -1.
#include <ctype.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

namespace {

int Lower(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? u + ('a' - 'A') : u;
}

}  // namespace

extern "C" int _strnicmp(const char* a, const char* b, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    int ca = Lower(a[i]), cb = Lower(b[i]);
    if (ca != cb) return ca - cb;
    if (ca == 0) return 0;
  }
  return 0;
}

extern "C" int _stricmp(const char* a, const char* b) { return _strnicmp(a, b, static_cast<size_t>(-1)); }

extern "C" char* _strlwr(char* s) {
  for (char* p = s; p && *p; ++p)
    if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p + ('a' - 'A'));
  return s;
}

extern "C" char* _strupr(char* s) {
  for (char* p = s; p && *p; ++p)
    if (*p >= 'a' && *p <= 'z') *p = static_cast<char>(*p - ('a' - 'A'));
  return s;
}

extern "C" char* _strdup(const char* s) { return s ? strdup(s) : nullptr; }

extern "C" int _vsnprintf(char* buffer, size_t count, const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int length = vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (length < 0) return -1;
  if (static_cast<size_t>(length) < count) {
    vsnprintf(buffer, count, format, args);
    return length;
  }
  // It does not fit: the first count characters, and no terminator.
  std::string full(static_cast<size_t>(length) + 1, '\0');
  vsnprintf(&full[0], full.size(), format, args);
  if (count > 0) memcpy(buffer, full.data(), count);
  return static_cast<size_t>(length) == count ? length : -1;
}

extern "C" int _snprintf(char* buffer, size_t count, const char* format, ...) {
  va_list args;
  va_start(args, format);
  int result = _vsnprintf(buffer, count, format, args);
  va_end(args);
  return result;
}
