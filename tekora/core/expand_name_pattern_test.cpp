// PAExpandNamePattern: include-guard and similar names from a file name.
#include <stdio.h>

#include <string>

#include <tekora/tekora.h>
#include <gtest/gtest.h>

namespace {

struct Expansion {
  int result;
  std::string name;
  std::string printed;  // what went to standard output
};

Expansion Expand(LPCSTR fullPath, LPCSTR pattern, LPCSTR prefix, LPCSTR before = "before") {
  CString name = before;
  testing::internal::CaptureStdout();
  int result = PAExpandNamePattern(name, fullPath, pattern, prefix);
  fflush(stdout);
  return {result, std::string(name), testing::internal::GetCapturedStdout()};
}

TEST(ExpandNamePatternTest, IncludeGuardNames) {
  EXPECT_EQ("ABC_INC_VIEW_HPP", Expand("c:\\src\\AbcView.hpp", "%P_INC_%M_%E", "abc").name);
  EXPECT_EQ("ABC_INC_OTHER_H", Expand("c:\\src\\Other.h", "%P_INC_%M_%E", "abc").name);
  EXPECT_EQ("abc/abcview.hpp/view", Expand("c:/src/AbcView.hpp", "%p/%n.%e/%m", "ABC").name);
  EXPECT_EQ("ABCVIEW-", Expand("AbcView", "%N-%E", "x").name);
  EXPECT_EQ("ABCVIEW.HPP", Expand("c:AbcView.hpp", "%N.%E", "x").name);
  EXPECT_EQ(1, Expand("c:\\src\\AbcView.hpp", "%P", "abc").result);
}

TEST(ExpandNamePatternTest, PrefixIsCutOnlyFromALongerName) {
  EXPECT_EQ("ABC", Expand("abc.h", "%M", "ABC").name);
  EXPECT_EQ("abc", Expand("abc.h", "%m", "ABC").name);
  EXPECT_EQ("XABC", Expand("xabc.h", "%M", "abc").name);
  EXPECT_EQ("a", Expand("dir.d\\ABCa.", "%m%e", "abc").name);
}

TEST(ExpandNamePatternTest, PercentCodesAndWarnings) {
  Expansion percent = Expand("x.h", "100%%", "p");
  EXPECT_EQ("100%", percent.name);
  EXPECT_EQ("", percent.printed);

  Expansion wrong = Expand("x.h", "%X%P", "abc");
  EXPECT_EQ(1, wrong.result);
  EXPECT_EQ("ABC", wrong.name);
  EXPECT_EQ("Warning: found wrong formating character 'X',ignored\n", wrong.printed);

  Expansion lone = Expand("x.h", "ab%", "p");
  EXPECT_EQ(1, lone.result);
  EXPECT_EQ("ab", lone.name);
  EXPECT_EQ("Warning: found wrong formating character '%',ignored\n", lone.printed);
}

TEST(ExpandNamePatternTest, MissingPatternOrPrefix) {
  Expansion noPattern = Expand("x.h", nullptr, "p");
  EXPECT_EQ(0, noPattern.result);
  EXPECT_EQ("before", noPattern.name);
  EXPECT_EQ(0, Expand("x.h", "%P", nullptr).result);
  EXPECT_EQ("before", Expand("x.h", "%P", nullptr).name);

  Expansion empty = Expand("x.h", "", "p");
  EXPECT_EQ(0, empty.result);
  EXPECT_EQ("", empty.name);

  Expansion noPath = Expand(nullptr, "[%N|%E|%P]", "p");
  EXPECT_EQ(1, noPath.result);
  EXPECT_EQ("[||P]", noPath.name);
}

TEST(ExpandNamePatternTest, LongExpansionsAreCutAt259) {
  const std::string longName(300, 'a');
  Expansion name = Expand(("c:\\src\\" + longName + ".h").c_str(), "%N_%E", "p");
  EXPECT_EQ(1, name.result);
  EXPECT_EQ(std::string(259, 'A'), name.name);

  const std::string prefix(200, 'q');
  Expansion twice = Expand("x.h", "%p%p%X", prefix.c_str());
  EXPECT_EQ(1, twice.result);
  EXPECT_EQ(std::string(259, 'q'), twice.name);
  EXPECT_EQ("Warning: found wrong formating character 'X',ignored\n", twice.printed);

  Expansion literal = Expand("x.h", std::string(400, 'z').c_str(), "p");
  EXPECT_EQ(std::string(259, 'z'), literal.name);
}

TEST(ExpandNamePatternTest, BytesAboveAsciiKeepTheirCase) {
  EXPECT_EQ("\xE4" "BC_\xF6L", Expand("c:\\\xE4" "bc\xF6l.x", "%P_%M", "\xE4" "bc").name);
}

}  // namespace
