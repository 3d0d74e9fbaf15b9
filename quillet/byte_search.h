// The search for one byte over the short distances that the scanner and the
// copy cover between two line ends or quotes: inline, sixteen bytes at a
// time, where a library call would cost more than the search. The same for a
// copy that stops at one byte, and for the LF that has no CR before it.
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

// The first LF in [from, end) that no CR comes right before, or null when
// there is none. `before` is the byte before `from`. Sixteen bytes a step,
// each compared with '\n' and, one byte back, with '\r'.
inline const char* FindLoneLineFeed(const char* from, const char* end, char before) {
  if (from == end) return nullptr;
  if (*from == '\n' && before != '\r') return from;
  const char* at = from + 1;
#if defined(__SSE2__)
  const __m128i lineFeed = _mm_set1_epi8('\n');
  const __m128i carriageReturn = _mm_set1_epi8('\r');
  for (; end - at >= 16; at += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i previous = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 1));
    const int mask = _mm_movemask_epi8(
        _mm_andnot_si128(_mm_cmpeq_epi8(previous, carriageReturn), _mm_cmpeq_epi8(block, lineFeed)));
    if (mask != 0) return at + __builtin_ctz(static_cast<unsigned>(mask));
  }
#endif
  for (; at < end; ++at)
    if (*at == '\n' && at[-1] != '\r') return at;
  return nullptr;
}

inline unsigned char* FindByte(unsigned char* from, unsigned char* end, char wanted) {
  const char* found = FindByte(reinterpret_cast<const char*>(from), reinterpret_cast<const char*>(end), wanted);
  return reinterpret_cast<unsigned char*>(const_cast<char*>(found));
}

// Copies the bytes of [from, from + count) to `to` up to the first `stop`
// byte, which is not copied; returns the count copied (`count` when there is
// no `stop` byte). Each sixteen bytes are stored before they are searched, so
// that the copy needs no second pass.
inline size_t CopyUpToByte(char* to, const char* from, size_t count, char stop) {
  size_t done = 0;
#if defined(__SSE2__)
  const __m128i pattern = _mm_set1_epi8(stop);
  for (; count - done >= 16; done += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + done));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + done), block);
    const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(block, pattern));
    if (mask != 0) return done + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
  for (; done < count && from[done] != stop; ++done) to[done] = from[done];
#else
  const void* hit = memchr(from, stop, count);
  done = hit ? static_cast<size_t>(static_cast<const char*>(hit) - from) : count;
  memcpy(to, from, done);
#endif
  return done;
}
