// The scanner's read of a script held in memory: the characters a rule
// action reads are the bytes less the CR of every CR LF, as a text-mode read
// on POSIX gives them.
#include "yylexer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

const size_t kChunk = YYLexer::kChunk;

// Reads its whole input through the read-ahead of rule actions.
class InputReader : public YYLexer {
 public:
  using YYLexer::YYLexer;

  std::string ReadAll() {
    yysetup();
    std::string text;
    for (int c = yyinput(); c != kEndOfInput; c = yyinput()) text += static_cast<char>(c);
    return text;
  }
};

// The bytes read from memory are `bytes` without the CR of each CR LF.
void ExpectTextOf(const std::string& bytes) {
  std::string expected;
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] != '\r' || i + 1 == bytes.size() || bytes[i + 1] != '\n') expected += bytes[i];
  EXPECT_EQ(InputReader(bytes.data(), bytes.size()).ReadAll(), expected);
}

// CRs alone, before LF, doubled, and at every distance from the sixteen-byte
// steps of the copy, over several reads.
TEST(InMemoryReadTest, LineEndsAtEveryOffset) {
  const char* const pieces[] = {"\r\n", "\r", "\n", "\r\r\n", "\n\r", "\x1A", ""};
  std::mt19937 random(5);
  for (int round = 0; round < 6; ++round) {
    std::string text;
    const size_t size = round < 3 ? 300 : 2 * kChunk + random() % kChunk;
    while (text.size() < size) {
      text += std::string(random() % 40, 'a' + static_cast<char>(round));
      const size_t pick = random() % (sizeof pieces / sizeof *pieces);
      text += pick == 6 ? std::string(1, '\0') : pieces[pick];
    }
    SCOPED_TRACE("round " + std::to_string(round));
    ExpectTextOf(text);
    if (HasFailure()) return;
  }
}

// A CR LF split by the end of a read, and a CR that ends the input.
TEST(InMemoryReadTest, CrAtTheEdges) {
  for (size_t back = 0; back < 20; ++back) {
    ExpectTextOf(std::string(kChunk - back, 'x') + "\r\n" + std::string(back, 'y') + "\r\n\r");
    ExpectTextOf(std::string(back, 'z') + "\r");
  }
}

}  // namespace
