// PAIsNonWordChar and PAFindWholeWord.
#include <string>

#include <tekora/tekora.h>
#include <gtest/gtest.h>

namespace {

TEST(IsNonWordCharTest, WordCharactersAreAsciiLettersDigitsAndUnderscore) {
  int wordCharacters = 0;
  for (int c = 0; c < 256; ++c) wordCharacters += PAIsNonWordChar(static_cast<char>(c)) == 0;
  EXPECT_EQ(26 + 26 + 10 + 1, wordCharacters);
  EXPECT_EQ(0, PAIsNonWordChar('_'));
  EXPECT_EQ(0, PAIsNonWordChar('z'));
  EXPECT_EQ(0, PAIsNonWordChar('7'));
  EXPECT_EQ(1, PAIsNonWordChar('\0'));
  EXPECT_EQ(1, PAIsNonWordChar('\xE4'));
  EXPECT_EQ(1, PAIsNonWordChar('$'));
}

TEST(FindWholeWordTest, OnlyWholeWordsCount) {
  EXPECT_EQ(4, PAFindWholeWord("int count; counter++;", "count", 1));
  EXPECT_EQ(-1, PAFindWholeWord("counters", "counter", 1));
  EXPECT_EQ(-1, PAFindWholeWord("aaa", "aa", 1));
  EXPECT_EQ(5, PAFindWholeWord("aaaa aa", "aa", 1));
  EXPECT_EQ(0, PAFindWholeWord("count", "count", 1));
  EXPECT_EQ(6, PAFindWholeWord("x_cnt cnt", "cnt", 1));
  EXPECT_EQ(1, PAFindWholeWord("\xE4" "count\xF6", "count", 1));
}

TEST(FindWholeWordTest, CaseFlag) {
  EXPECT_EQ(4, PAFindWholeWord("x = count;", "COUNT", 0));
  EXPECT_EQ(-1, PAFindWholeWord("x = count;", "COUNT", 1));
  EXPECT_EQ(-1, PAFindWholeWord("\xC4x", "\xE4x", 0));  // only ASCII letters fold
}

TEST(FindWholeWordTest, OnlyTheFirst2600CharactersAreSearched) {
  const std::string padding(2590, ' ');
  EXPECT_EQ(2590, PAFindWholeWord((padding + "word").c_str(), "word", 1));
  EXPECT_EQ(-1, PAFindWholeWord((padding + "1234567890 word").c_str(), "word", 1));
  // The end of the searched part is a boundary like the end of the text.
  EXPECT_EQ(2598, PAFindWholeWord((padding + "1234567 abc").c_str(), "ab", 1));
}

TEST(FindWholeWordTest, NullAndEmptyFindNothing) {
  EXPECT_EQ(-1, PAFindWholeWord(nullptr, "a", 1));
  EXPECT_EQ(-1, PAFindWholeWord("a", nullptr, 1));
  EXPECT_EQ(-1, PAFindWholeWord("a b", "", 1));
  EXPECT_EQ(-1, PAFindWholeWord("", "a", 0));
}

}  // namespace
