// The Windows rules of file name patterns, as the file search applies them.
#include <string>

#include <gtest/gtest.h>

#include "wildcard.h"

namespace {

TEST(Wildcard, WindowsPatternRules) {
  using winport::MatchFileName;
  EXPECT_TRUE(MatchFileName("*.*", "noext"));
  EXPECT_TRUE(MatchFileName("*.*", ".profile"));
  EXPECT_TRUE(MatchFileName("*.txt", "a.b.TXT"));
  EXPECT_FALSE(MatchFileName("*.txt", "a.txt.bak"));
  EXPECT_TRUE(MatchFileName("a?.txt", "a.txt"));
  EXPECT_TRUE(MatchFileName("a?.txt", "ab.txt"));
  EXPECT_FALSE(MatchFileName("a?.txt", "abc.txt"));
  EXPECT_TRUE(MatchFileName("*.", "name"));
  EXPECT_FALSE(MatchFileName("*.", "name.ext"));
  EXPECT_TRUE(MatchFileName("x*y*z", "xaaybbz"));
  EXPECT_FALSE(MatchFileName("*a*a*a*a*a*b", std::string(200, 'a')));
}

}  // namespace
