// PAReplaceAt and PAReplaceWholeWord.
#include <string>

#include <tekora/tekora.h>
#include <gtest/gtest.h>

namespace {

TEST(ReplaceAtTest, ReplacesAndClipsToTheText) {
  CString text = "hello world";
  EXPECT_EQ(1, PAReplaceAt(text, 6, 5, "there"));
  EXPECT_STREQ("hello there", text);
  EXPECT_EQ(1, PAReplaceAt(text, 0, 0, ">"));
  EXPECT_STREQ(">hello there", text);
  EXPECT_EQ(1, PAReplaceAt(text, 100, 5, "!"));
  EXPECT_STREQ(">hello there!", text);
  EXPECT_EQ(1, PAReplaceAt(text, -3, 1, nullptr));
  EXPECT_STREQ("hello there!", text);
  EXPECT_EQ(1, PAReplaceAt(text, 5, 1000, ""));
  EXPECT_STREQ("hello", text);
}

class ReplaceWholeWordTest : public ::testing::Test {
 protected:
  // Runs the replacement on a one-line array; the line as it ends up.
  std::string Replace(LPCSTR line, LPCSTR word, LPCSTR replacement, int caseSensitive = 1) {
    CStringArray lines;
    lines.Add("first");
    lines.Add(line);
    result = PAReplaceWholeWord(lines, 1, word, replacement, &counter, caseSensitive);
    EXPECT_STREQ("first", lines[0]);
    return std::string(lines[1]);
  }
  int result = -1;
  int counter = 0;
};

TEST_F(ReplaceWholeWordTest, RenamesEveryWholeOccurrence) {
  EXPECT_EQ("idx = idx + 1; // idx", Replace("i = i + 1; // i", "i", "idx"));
  EXPECT_EQ(1, result);
  EXPECT_EQ(3, counter);
  EXPECT_EQ("total = total; COUNTx", Replace("Count = count; COUNTx", "COUNT", "total", 0));
  EXPECT_EQ("int x; int yi;", Replace("int i; int yi;", "i", "x"));
}

TEST_F(ReplaceWholeWordTest, ElevenReplacementsAtMost) {
  std::string eleven, b11;
  for (int i = 0; i < 11; ++i) {
    eleven += "a ";
    b11 += "b ";
  }
  const std::string twelve = eleven + "a";
  EXPECT_EQ(b11, Replace(eleven.c_str(), "a", "b"));
  EXPECT_EQ(11, counter);
  counter = 0;
  EXPECT_EQ(b11 + "a", Replace(twelve.c_str(), "a", "b"));
  EXPECT_EQ(11, counter);
  EXPECT_EQ(1, result);
}

TEST_F(ReplaceWholeWordTest, ReplacementsAreNeverSearchedAgain) {
  EXPECT_EQ("a a b a a", Replace("a b a", "a", "a a"));
  EXPECT_EQ(2, counter);
  counter = 0;
  EXPECT_EQ("x x", Replace("x x", "x", "x"));
  EXPECT_EQ(2, counter);
}

TEST_F(ReplaceWholeWordTest, CounterAddsUpAndMayBeNull) {
  counter = 5;
  Replace("v + v", "v", "w");
  EXPECT_EQ(7, counter);
  CStringArray lines;
  lines.Add("v");
  EXPECT_EQ(1, PAReplaceWholeWord(lines, 0, "v", "w", nullptr, 1));
  EXPECT_STREQ("w", lines[0]);
}

TEST_F(ReplaceWholeWordTest, RefusedCallsChangeNothing) {
  counter = 4;
  EXPECT_EQ("vx", Replace("vx", "v", "w"));
  EXPECT_EQ(0, result);
  EXPECT_EQ("v", Replace("v", "", "w"));
  EXPECT_EQ(0, result);
  EXPECT_EQ("v", Replace("v", "v", ""));
  EXPECT_EQ(0, result);
  EXPECT_EQ("v", Replace("v", nullptr, "w"));
  EXPECT_EQ("v", Replace("v", "v", nullptr));
  EXPECT_EQ(0, result);
  EXPECT_EQ(4, counter);

  CStringArray lines;
  lines.Add("v");
  EXPECT_EQ(0, PAReplaceWholeWord(lines, 1, "v", "w", nullptr, 1));
  EXPECT_EQ(0, PAReplaceWholeWord(lines, -1, "v", "w", nullptr, 1));
  EXPECT_STREQ("v", lines[0]);
}

TEST_F(ReplaceWholeWordTest, BytesAboveAsciiAreBoundaries) {
  EXPECT_EQ("\xE4new\xE4", Replace("\xE4old\xE4", "old", "new"));
  EXPECT_EQ(1, counter);
}

}  // namespace
