// Splitting Windows command lines: the program name CreateProcess looks for
// and the arguments the Windows runtime hands to main().
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_line.h"

namespace {

using Args = std::vector<std::string>;

TEST(CommandLineTest, ProgramNameIsTheFirstWordOrTheQuotedName) {
  EXPECT_EQ("cvs.exe", winport::ProgramToken("cvs.exe -q update"));
  EXPECT_EQ("c:\\Program Files\\x.exe", winport::ProgramToken("\"c:\\Program Files\\x.exe\" a"));
  EXPECT_EQ("x", winport::ProgramToken("  \t x"));
  EXPECT_EQ("c:\\open quote", winport::ProgramToken("\"c:\\open quote"));
  EXPECT_EQ("", winport::ProgramToken("   "));
}

// The runtime's documented examples, each after a program name.
TEST(CommandLineTest, ArgumentsFollowTheRuntimeRules) {
  EXPECT_EQ((Args{"p", "a b c", "d", "e"}), winport::SplitCommandLine("p \"a b c\" d e"));
  EXPECT_EQ((Args{"p", "ab\"c", "\\", "d"}), winport::SplitCommandLine("p \"ab\\\"c\" \"\\\\\" d"));
  EXPECT_EQ((Args{"p", "a\\\\\\b", "de fg", "h"}), winport::SplitCommandLine("p a\\\\\\b d\"e f\"g h"));
  EXPECT_EQ((Args{"p", "a\\\"b", "c", "d"}), winport::SplitCommandLine("p a\\\\\\\"b c d"));
  EXPECT_EQ((Args{"p", "a\\\\b c", "d", "e"}), winport::SplitCommandLine("p a\\\\\\\\\"b c\" d e"));
  EXPECT_EQ((Args{"p", "ab\" c d"}), winport::SplitCommandLine("p a\"b\"\" c d"));
  EXPECT_EQ((Args{"p", ""}), winport::SplitCommandLine("p \"\""));
  EXPECT_EQ((Args{"p", "a", "b"}), winport::SplitCommandLine("p\ta   b  "));
}

TEST(CommandLineTest, ProgramArgumentKeepsBackslashesAndDropsQuotes) {
  EXPECT_EQ((Args{"c:\\Program Files\\x.exe", "a"}),
            winport::SplitCommandLine("\"c:\\Program Files\\x.exe\" a"));
  EXPECT_EQ((Args{"c:\\dir\\\\x.exe"}), winport::SplitCommandLine("c:\\dir\\\\x.exe"));
  EXPECT_EQ((Args{"c:\\a b\\x", "y"}), winport::SplitCommandLine("\"c:\\a b\"\\x y"));
}

TEST(CommandLineTest, UnbalancedQuotesRunToTheEnd) {
  EXPECT_EQ((Args{"p", "a b  c"}), winport::SplitCommandLine("p \"a b  c"));
  EXPECT_EQ((Args{"p x y"}), winport::SplitCommandLine("\"p x y"));
  EXPECT_EQ((Args{"p", "x\\"}), winport::SplitCommandLine("p x\\"));
  std::string longLine = "p " + std::string(40000, '"');
  EXPECT_EQ(2u, winport::SplitCommandLine(longLine).size());
}

}  // namespace
