// The search for one byte over the short distances that the scanner and the
// copy cover between two line ends or quotes: inline, sixteen bytes at a
// time, where a library call would cost more than the search.
#pragma once

#include <stddef.h>
#include <string.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The first `wanted` byte in [from, end), or null when there is none.
inline const char* FindByte(const char* from, const char* end, char wanted) {
#if defined(__SSE2__)
  const __m128i pattern = _mm_set1_epi8(wanted);
  while (end - from >= 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(block, pattern));
    if (mask != 0) return from + __builtin_ctz(static_cast<unsigned>(mask));
    from += 16;
  }
  for (; from < end; ++from)
    if (*from == wanted) return from;
  return nullptr;
#else
  return from < end ? static_cast<const char*>(memchr(from, wanted, static_cast<size_t>(end - from))) : nullptr;
#endif
}

inline unsigned char* FindByte(unsigned char* from, unsigned char* end, char wanted) {
  const char* found = FindByte(reinterpret_cast<const char*>(from), reinterpret_cast<const char*>(end), wanted);
  return reinterpret_cast<unsigned char*>(const_cast<char*>(found));
}
