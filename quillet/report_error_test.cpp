// Whether quillet's errors reach a message box: the user's registry setting
// and the build server, observed on a pseudo-terminal.
#include <gtest/gtest.h>

#include "quillet_test_support.h"

namespace {

using quillet_test::QuilletTest;

class ErrorBoxTest : public QuilletTest {
 protected:
  void SetUp() override {
    if (!testsupport::HaveTerminal())
      GTEST_SKIP() << "the box is a window on Windows; the tests can only watch a terminal";
    RegDeleteKeyA(HKEY_CURRENT_USER, quillet_test::kSettingsKey);
  }

  // Runs quillet on a list naming one missing script, and says whether the
  // error reached the terminal (that is, a box was shown).
  bool BoxShown() {
    Write("src/proclist.txt", "gone.sql\r\n");
    const auto run = RunOnTerminal({"src", "new.sql"});
    EXPECT_EQ(0, run.exitCode);
    const std::string message = Canonical("src/gone.sql") + " not found";
    EXPECT_NE(std::string::npos, run.out.find(message)) << "standard output always has the error";
    EXPECT_NE(std::string::npos, run.terminal.find("done")) << run.terminal;
    return run.terminal.find(message) != std::string::npos;
  }
};

TEST_F(ErrorBoxTest, NoSettingShowsTheBox) { EXPECT_TRUE(BoxShown()); }

TEST_F(ErrorBoxTest, DwordZeroSilencesTheBox) {
  SetMessageBoxSetting(0);
  EXPECT_FALSE(BoxShown());
}

TEST_F(ErrorBoxTest, DwordOneShowsTheBox) {
  SetMessageBoxSetting(1);
  EXPECT_TRUE(BoxShown());
}

TEST_F(ErrorBoxTest, ValueOfAnotherTypeShowsTheBox) {
  SetSetting("MessageBox", REG_SZ, "0", 2);
  EXPECT_TRUE(BoxShown());
}

TEST_F(ErrorBoxTest, KeyWithoutTheValueShowsTheBox) {
  const DWORD zero = 0;
  SetSetting("Other", REG_DWORD, &zero, sizeof zero);
  EXPECT_TRUE(BoxShown());
}

TEST_F(ErrorBoxTest, BuildServerAlwaysShowsTheBox) {
  SetMessageBoxSetting(0);
  SetComputerName("buildsrv");
  EXPECT_TRUE(BoxShown());
}

TEST_F(ErrorBoxTest, ConsoleLinesGoToTheTerminal) {
  SetMessageBoxSetting(0);
  Write("src/proclist.txt", "");
  const auto run = RunOnTerminal({"src", "new.sql"});
  EXPECT_EQ(0, run.exitCode);
  EXPECT_EQ("", run.err);
  EXPECT_NE(std::string::npos, run.terminal.find("QUILLET - SQL merger 2.2.194.0"));
  EXPECT_NE(std::string::npos, run.terminal.find(Canonical("new.sql") + " created"));
}

}  // namespace
