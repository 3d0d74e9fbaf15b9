// PARunProcess: exit codes, the time-out, programs that cannot start and
// command lines that are empty, unbalanced or too long. The child is the
// test program "testchild" of the build.
#include <windows.h>

#include <string>

#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/platform.h>
#include <testsupport/run_program.h>
#include <testsupport/temp_dir.h>

namespace {

class RunProcessTest : public testsupport::IsolatedTest {
 protected:
  unsigned int Run(const std::string& arguments, unsigned int timeout = INFINITE) {
    std::string commandLine = "\"" + testsupport::ProgramPath("testchild") + "\" " + arguments;
    return PARunProcess(&commandLine[0], timeout);
  }
};

TEST_F(RunProcessTest, ExitCodeOfAChildThatEndsByItself) {
  EXPECT_EQ(3u, Run("exit 3"));
  EXPECT_EQ(0u, Run("exit 0"));
  EXPECT_EQ(0u, Run("sleep 50", 60000));
}

TEST_F(RunProcessTest, ChildThatOutlivesTheTimeOutIsEnded) {
  unsigned int result = Run("sleep 60000", 200);
  // 258 once the system has ended it; 259 (still active) when read too early.
  EXPECT_TRUE(result == 258u || result == 259u) << result;
}

TEST_F(RunProcessTest, CommandLinesThatStartNothing) {
  EXPECT_EQ(87u, PARunProcess(nullptr, INFINITE));
  char empty[] = "";
  EXPECT_EQ(87u, PARunProcess(empty, INFINITE));
  char missing[] = "no-such-program-of-tekora --flag";
  EXPECT_EQ(2u, PARunProcess(missing, INFINITE));
  // The quote is never closed: the whole rest is taken as the program's name.
  std::string unclosed = "\"" + testsupport::ProgramPath("testchild") + " exit 4";
  EXPECT_EQ(2u, PARunProcess(&unclosed[0], INFINITE));
  // Longer than the 32767 characters a command line may have: refused with
  // 206, never run (Wine refuses it with 87).
  EXPECT_EQ(testsupport::RunningUnderWine() ? 87u : 206u, Run("exit 7 " + std::string(40000, 'x')));
}

TEST_F(RunProcessTest, ArgumentsAreSplitByTheWindowsRules) {
  EXPECT_EQ(0u, Run("args out.txt \"two words\" a\\\\b \"q\\\"x\" \"\" last"));
  EXPECT_EQ("[two words][a\\\\b][q\"x][][last]", testsupport::ReadBytes(dir.file("out.txt")));
  EXPECT_EQ(4u, Run("exit \"4"));  // an unbalanced quote runs to the end
}

}  // namespace
