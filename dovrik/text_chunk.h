// Sixteen bytes of script text taken at once, for the fast preparing of
// ordinary lines: where the line ends, zero bytes and stars, and where the
// blanks and tabs lie among them, and the bytes as a prepared line shows them
// (tabs as blanks, double quotes as single quotes on request), ready to be
// written with the blanks that follow other blanks left out.
//
// Sse2Chunk works on the target's vector registers; PortableChunk does the
// same byte by byte wherever SSE2 is missing. TextChunk is the one to use.
#pragma once

#include <stddef.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Bit i of a chunk mask stands for the chunk's byte i.
const size_t kChunkSize = 16;

// The lowest set bit of a mask that is not zero, as a byte position.
inline unsigned LowestBit(unsigned mask) { return static_cast<unsigned>(__builtin_ctz(mask)); }

class PortableChunk {
 public:
  // The kChunkSize bytes at `text`.
  PortableChunk(const char* text, bool quoteFlag) {
    for (unsigned i = 0; i < kChunkSize; ++i) {
      char c = text[i];
      const unsigned bit = 1u << i;
      if (c == '\n' || c == '\r' || c == '\0' || c == '*') m_unusual |= bit;
      if (c == ' ' || c == '\t') m_blanks |= bit;
      if (c == '\t') {
        c = ' ';
      } else if (c == '"' && quoteFlag) {
        c = '\'';
      }
      m_bytes[i] = c;
    }
  }

  // LF, CR, zero bytes and stars, which the ordinary way does not handle.
  unsigned Unusual() const { return m_unusual; }
  // Blanks and tabs (both blanks once prepared).
  unsigned Blanks() const { return m_blanks; }

  // The number of tabs at the start of the kChunkSize bytes at `text`.
  static unsigned CountLeadingTabs(const char* text) {
    unsigned count = 0;
    while (count < kChunkSize && text[count] == '\t') ++count;
    return count;
  }

  // The LF bytes among the kChunkSize bytes at `text`.
  static unsigned LineFeedMask(const char* text) {
    unsigned mask = 0;
    for (unsigned i = 0; i < kChunkSize; ++i)
      if (text[i] == '\n') mask |= 1u << i;
    return mask;
  }

  // Writes the first `count` prepared bytes but those of `drop` to `out`;
  // returns the end of what it wrote. It may write up to kChunkSize bytes.
  char* Store(unsigned drop, size_t count, char* out) const {
    for (size_t i = 0; i < count; ++i) {
      *out = m_bytes[i];
      out += ((drop >> i) & 1) ^ 1;
    }
    return out;
  }

 private:
  char m_bytes[kChunkSize];
  unsigned m_unusual = 0;
  unsigned m_blanks = 0;
};

#if defined(__SSE2__)

class Sse2Chunk {
 public:
  Sse2Chunk(const char* text, bool quoteFlag) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    const __m128i unusual =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'))),
                     _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_setzero_si128()), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('*'))));
    m_unusual = static_cast<unsigned>(_mm_movemask_epi8(unusual));
    // A tab becomes a blank and a double quote a single quote by flipping
    // the bits in which they differ.
    const __m128i tabs = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t'));
    m_bytes = _mm_xor_si128(bytes, _mm_and_si128(tabs, _mm_set1_epi8('\t' ^ ' ')));
    m_blanks = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(m_bytes, _mm_set1_epi8(' '))));
    if (quoteFlag) {
      const __m128i quotes = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('"'));
      m_bytes = _mm_xor_si128(m_bytes, _mm_and_si128(quotes, _mm_set1_epi8('"' ^ '\'')));
    }
  }

  unsigned Unusual() const { return m_unusual; }
  unsigned Blanks() const { return m_blanks; }

  static unsigned CountLeadingTabs(const char* text) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    const unsigned tabs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t'))));
    return LowestBit(~tabs);
  }

  static unsigned LineFeedMask(const char* text) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))));
  }

  char* Store(unsigned drop, size_t count, char* out) const {
    // Each byte left out lets the bytes above it move down by one; taking
    // the highest first leaves the positions of the lower ones as they are.
    __m128i bytes = m_bytes;
    size_t kept = count;
    while (drop != 0) {
      const unsigned at = 31 - static_cast<unsigned>(__builtin_clz(drop));
      drop &= ~(1u << at);
      const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kBelowMasks + kChunkSize - at));
      bytes = _mm_or_si128(_mm_and_si128(below, bytes), _mm_andnot_si128(below, _mm_srli_si128(bytes, 1)));
      --kept;
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
    return out + kept;
  }

 private:
  // Read at kBelowMasks + 16 - i: all bits set in the bytes below i.
  static constexpr unsigned char kBelowMasks[2 * kChunkSize] = {
      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
      0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0};

  __m128i m_bytes;
  unsigned m_unusual;
  unsigned m_blanks;
};

using TextChunk = Sse2Chunk;

#else

using TextChunk = PortableChunk;

#endif
