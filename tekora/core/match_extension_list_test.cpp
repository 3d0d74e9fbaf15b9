// PAMatchExtensionList: a file name's extension against a list with
// wildcards, and the list's canonical form.
#include <string>

#include <tekora/tekora.h>
#include <gtest/gtest.h>

namespace {

struct Outcome {
  int result;
  std::string list;  // the list as the call left it
};

Outcome Match(LPCSTR fileName, LPCSTR list) {
  CString extensions = list;
  int result = PAMatchExtensionList(fileName, extensions);
  return {result, std::string(extensions)};
}

TEST(MatchExtensionListTest, PlainListsAndTheirCanonicalForm) {
  EXPECT_EQ(1, Match("x.CPP", ".cpp;.cxx;.c;").result);
  EXPECT_EQ(".cpp;.cxx;.c;", Match("x.CPP", ".cpp;.cxx;.c;").list);
  EXPECT_EQ(1, Match("x.cpp", "cpp").result);
  EXPECT_EQ(".cpp;", Match("x.cpp", "cpp").list);
  EXPECT_EQ(".cpp;.h;", Match("x.h", ".CPP;H").list);
  EXPECT_EQ(1, Match("x.h", ".CPP;H").result);
  EXPECT_EQ(0, Match("x.hpp", ".h;.hm;").result);
  EXPECT_EQ(".a;.b;", Match("x.q", ";;.A;;b;;").list);
  EXPECT_EQ(".a b;. c;", Match("x.q", ".a b; c").list);  // white space inside items stays
}

TEST(MatchExtensionListTest, OnlyTheLastDotCounts) {
  EXPECT_EQ(1, Match("archive.tar.gz", ".gz;").result);
  EXPECT_EQ(0, Match("archive.tar.gz", ".tar;").result);
  EXPECT_EQ(1, Match("dir.x\\name.", ".;").result);  // a bare dot is the extension "."
}

TEST(MatchExtensionListTest, Wildcards) {
  EXPECT_EQ(1, Match("x.rc2", ".rc?;.rc;").result);
  EXPECT_EQ(0, Match("x.rc", ".rc?").result);  // "?" needs a character
  EXPECT_EQ(0, Match("x.h", ".???").result);
  EXPECT_EQ(1, Match("x.c", ".c*").result);
  EXPECT_EQ(1, Match("x.cpp", ".c*").result);
  EXPECT_EQ(1, Match("x.cpp", "*pp").result);      // becomes ".*pp"
  EXPECT_EQ(1, Match("x.hpp", ".*p*").result);     // both ends
  EXPECT_EQ(1, Match("x.p", ".*p*").result);
  EXPECT_EQ(0, Match("x.cxx", ".*p*").result);
  EXPECT_EQ(1, Match("x.aXbXc", ".*x*x*").result);  // backtracking over several stars
  EXPECT_EQ(0, Match("x.aXb", ".*x*x*x").result);
}

TEST(MatchExtensionListTest, WildcardsOnlyAndSeparatorsOnly) {
  Outcome wild = Match("x.c", "*;?;**");
  EXPECT_EQ(1, wild.result);
  EXPECT_EQ(".*;.?;.**;", wild.list);
  EXPECT_EQ(1, Match("x.", "*").result);
  EXPECT_EQ(0, Match("x.", "?").result);

  Outcome separators = Match("x.c", ";;;");
  EXPECT_EQ(0, separators.result);
  EXPECT_EQ("", separators.list);
}

TEST(MatchExtensionListTest, NothingToMatchLeavesTheList) {
  EXPECT_EQ(0, Match("makefile", ".mak;").result);
  EXPECT_EQ(".mak;", Match("makefile", ".mak;").list);
  EXPECT_EQ(0, Match("", ".C;").result);
  EXPECT_EQ(".C;", Match("", ".C;").list);
  EXPECT_EQ(".C;", Match(nullptr, ".C;").list);
  EXPECT_EQ(0, Match("x.c", "").result);
}

TEST(MatchExtensionListTest, BytesAboveAsciiMatchOnlyThemselves) {
  EXPECT_EQ(1, Match("x.\xE4", ".\xE4").result);
  EXPECT_EQ(0, Match("x.\xE4", ".\xC4").result);  // no case folding outside ASCII
  EXPECT_EQ(".\xC4;", Match("x.\xE4", ".\xC4").list);
}

}  // namespace
