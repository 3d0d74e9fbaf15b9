// The small text helpers that several winport units share: names compared
// as Windows compares them (ASCII letters without regard to case, every
// other byte as it is), hex digits, UTF-16LE text seen through the 8-bit
// calls, and lists split at a separator.
#pragma once

#include <stddef.h>

#include <string>
#include <vector>

namespace winport {

// `c` in lower case when it is an ASCII capital, else `c` itself.
inline char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// True when `a` and `b` are equal without regard to the case of ASCII
// letters. Every byte counts, a zero byte too.
inline bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// The order of `a` and `b` without regard to the case of ASCII letters,
// byte by byte (as unsigned), a shorter name first: <0, 0 or >0. Every byte
// counts, a zero byte too, so that it agrees with EqualsIgnoreCase.
inline int CompareIgnoreCase(const std::string& a, const std::string& b) {
  const size_t common = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < common; ++i) {
    const unsigned char x = static_cast<unsigned char>(FoldAscii(a[i]));
    const unsigned char y = static_cast<unsigned char>(FoldAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// True when `text` ends in `suffix` without regard to the case of ASCII letters.
inline bool EndsWithIgnoreCase(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && EqualsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

// The value of the hex digit `c` (either case), or -1 when it is none.
inline int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The UTF-16LE code units in `bytes` (from `start`, two bytes each; an odd
// last byte is dropped) as 8-bit text: a unit above 0xFF becomes '?', as
// the 8-bit calls show it.
inline std::string NarrowUtf16(const std::string& bytes, size_t start = 0) {
  std::string result;
  for (size_t i = start; i + 1 < bytes.size(); i += 2) {
    unsigned unit = static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
    result += unit <= 0xFF ? static_cast<char>(unit) : '?';
  }
  return result;
}

// The non-empty pieces of `text` between the `separator` characters, in order.
inline std::vector<std::string> SplitNonEmpty(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(separator, start);
    if (end == std::string::npos) end = text.size();
    if (end > start) parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace winport
