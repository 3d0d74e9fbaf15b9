// Unit tests of the comment search, the depth count and the white-space pass.
// The program as a whole is tested end to end in dovrik_test.cpp.
#include "prepare_line.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

namespace {

struct Prepared {
  std::string text;
  int depth;
  size_t length;
};

Prepared Prepare(const std::string& line, int depth = 0, bool quote = false, bool hash = false) {
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  size_t length = PrepareLine(buffer.data(), depth, quote, hash);
  return {buffer.data(), depth, length};
}

// The search on a zero-terminated text.
CommentBrace FindCommentBrace(const char* position, const char** next) {
  return ::FindCommentBrace(position, position + strlen(position), next);
}

TEST(FindCommentBrace, ReportsTheFirstBraceWithItsPosition) {
  const char* line = "a */ b /* c";
  const char* next = nullptr;
  EXPECT_EQ(kCloser, FindCommentBrace(line, &next));
  EXPECT_EQ(line + 4, next);  // right after the closer
  EXPECT_EQ(kOpener, FindCommentBrace(next, &next));
  EXPECT_EQ(line + 7, next);  // at the opener
  EXPECT_EQ(kNoBrace, FindCommentBrace(line + 8, &next));
}

TEST(FindCommentBrace, SettingsBlockMarkersEndTheSearch) {
  const char* next = nullptr;
  EXPECT_EQ(kNoBrace, FindCommentBrace("x /*VOXTAG */", &next));
  EXPECT_EQ(kNoBrace, FindCommentBrace("VOXTAG*/ /* */", &next));
  EXPECT_EQ(kOpener, FindCommentBrace("/*VOXTA", &next));
  EXPECT_EQ(kCloser, FindCommentBrace("voxtag*/", &next));  // markers are case-sensitive
}

// The search ends at the end it is given, as at the end of a line: the text
// after it (in a block, the next line) is not read.
TEST(FindCommentBrace, StopsAtTheEndOfTheLine) {
  const char* line = "a *//*VOXTAG";
  const char* next = nullptr;
  EXPECT_EQ(kNoBrace, ::FindCommentBrace(line, line + 3, &next));
  EXPECT_EQ(kCloser, ::FindCommentBrace(line, line + 4, &next));
  EXPECT_EQ(line + 4, next);
  EXPECT_EQ(kOpener, ::FindCommentBrace(line + 4, line + 11, &next));  // "/*VOXTA" is no marker
  EXPECT_EQ(kNoBrace, ::FindCommentBrace(line + 4, line + 12, &next));
}

TEST(PrepareLine, CountsOpenersAndClosers) {
  EXPECT_EQ(1, Prepare("a /* b").depth);
  EXPECT_EQ(2, Prepare("/* /* */ /*").depth);
  EXPECT_EQ(-1, Prepare("*/").depth);
  EXPECT_EQ(3, Prepare("*/", 4).depth);
  // The search goes on at the opener's star, so "/*/" opens and closes.
  EXPECT_EQ(0, Prepare("/*/").depth);
  // Line comments and markers count nothing.
  EXPECT_EQ(5, Prepare("-- /* x", 5).depth);
  EXPECT_EQ(0, Prepare("/*VOXTAG /* /*").depth);
  EXPECT_EQ(0, Prepare("#/*", 0, false, true).depth);
  EXPECT_EQ(1, Prepare("#/*", 0, false, false).depth);
}

// White space and quotes go eight characters at a time where nothing
// changes; runs of blanks, tabs and quotes that straddle those steps must come
// out as if the line were treated character by character.
TEST(PrepareLine, WhiteSpaceAndQuotesAcrossTheWholeLine) {
  const char alphabet[] = {' ', ' ', ' ', '\t', '"', 'a', 'b', '\r', '\xe9'};
  unsigned seed = 12345;
  for (int round = 0; round < 2000; ++round) {
    std::string line;
    for (int i = round % 40; i > 0; --i) {
      seed = seed * 1103515245 + 12345;
      line += alphabet[(seed >> 16) % sizeof alphabet];
    }
    bool quote = round % 2 == 0;
    std::string expected;  // the rules one character at a time
    size_t begin = line.find_first_not_of("\t\r\n");
    size_t end = line.find_last_not_of("\t\r\n");
    if (begin != std::string::npos) {
      for (char c : line.substr(begin, end - begin + 1)) {
        if (c == '\t') c = ' ';
        if (c == '"' && quote) c = '\'';
        if (c == ' ' && !expected.empty() && expected.back() == ' ') continue;
        expected += c;
      }
    }
    Prepared prepared = Prepare(line, 0, quote);
    ASSERT_EQ(expected, prepared.text) << "line \"" << line << "\"";
    ASSERT_EQ(expected.size(), prepared.length);
  }
}

}  // namespace
