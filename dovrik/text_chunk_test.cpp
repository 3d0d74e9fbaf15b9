// The chunk's masks and prepared bytes against the rules byte by byte, for
// the chunk the build uses and for the portable one, on random bytes drawn
// from the ones that matter.
#include "text_chunk.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

const char kAlphabet[] = {' ', ' ', '\t', '\n', '\r', '\0', '*', '"', '\'', 'a', '/', '\x1a', '\xff'};

std::string RandomBytes(std::mt19937& random, size_t size) {
  std::string bytes;
  for (size_t i = 0; i < size; ++i) bytes += kAlphabet[random() % sizeof kAlphabet];
  return bytes;
}

template <typename Chunk>
void CheckAgainstTheRules(unsigned seed) {
  std::mt19937 random(seed);
  for (int round = 0; round < 5000; ++round) {
    const std::string bytes = RandomBytes(random, kChunkSize);
    const bool quote = round % 2 == 0;
    const Chunk chunk(bytes.data(), quote);
    unsigned unusual = 0, blanks = 0, tabs = 0, feeds = 0;
    for (unsigned i = 0; i < kChunkSize; ++i) {
      const char c = bytes[i];
      if (c == '\n' || c == '\r' || c == '\0' || c == '*') unusual |= 1u << i;
      if (c == ' ' || c == '\t') blanks |= 1u << i;
      if (c == '\t' && tabs == (1u << i) - 1) tabs |= 1u << i;
      if (c == '\n') feeds |= 1u << i;
    }
    ASSERT_EQ(unusual, chunk.Unusual());
    ASSERT_EQ(blanks, chunk.Blanks());
    ASSERT_EQ(static_cast<unsigned>(__builtin_popcount(tabs)), Chunk::CountLeadingTabs(bytes.data()));
    ASSERT_EQ(feeds, Chunk::LineFeedMask(bytes.data()));

    // The prepared bytes of a random count, a random set of them left out.
    const size_t count = random() % (kChunkSize + 1);
    const unsigned drop = static_cast<unsigned>(random()) & ((1u << count) - 1);
    std::string expected;
    for (size_t i = 0; i < count; ++i) {
      char c = bytes[i];
      if (c == '\t') c = ' ';
      if (c == '"' && quote) c = '\'';
      if ((drop & (1u << i)) == 0) expected += c;
    }
    char out[kChunkSize];
    const char* storedEnd = chunk.Store(drop, count, out);
    ASSERT_EQ(expected, std::string(out, static_cast<size_t>(storedEnd - out)));
  }
}

TEST(TextChunk, MasksAndPreparedBytesFollowTheRules) { CheckAgainstTheRules<TextChunk>(1); }

TEST(TextChunk, PortableChunkFollowsTheRules) { CheckAgainstTheRules<PortableChunk>(2); }

}  // namespace
