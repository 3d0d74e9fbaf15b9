// End-to-end tests: the built dovrik runs on scripts in a temporary folder;
// the prepared file is compared byte for byte, with standard output and the
// exit code.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testsupport/files.h"
#include "testsupport/platform.h"
#include "testsupport/run_program.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::CrLf;
using testsupport::ReadBytes;
using testsupport::RunProgram;
using testsupport::RunResult;
using testsupport::WriteBytes;
using namespace std::string_literals;

const std::string kBanner =
    "DOVRIK - Prepare SQL Scripts.\n"
    "Version 1.0.0.71. Copyright (c) 1998-2026 the tool suite's authors\n";
const std::string kUsage = "Usage: DOVRIK in_file out_file (header_file)\n";
const std::string kDone = "Done\n\n";

class Dovrik : public testsupport::IsolatedTest {
 protected:
  // The number of entries in the test folder.
  int EntryCount() { return static_cast<int>(testsupport::FileNames(dir.path()).size()); }

  // Runs dovrik with the given arguments in the test folder.
  RunResult Run(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {testsupport::ProgramPath("dovrik")};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv, dir.path());
  }

  // Writes `script` (bytes as on disk) to in.sql and prepares it into
  // out.sql with the further arguments; expects a clean run and returns the
  // bytes of out.sql.
  std::string Prepare(const std::string& script, const std::vector<std::string>& more = {}) {
    WriteBytes(dir.file("in.sql"), script);
    std::vector<std::string> args = {"in.sql", "out.sql"};
    args.insert(args.end(), more.begin(), more.end());
    RunResult result = Run(args);
    EXPECT_EQ(0, result.exitCode);
    EXPECT_EQ(kBanner + kDone, result.out);
    EXPECT_EQ("", result.err);
    return ReadBytes(dir.file("out.sql"));
  }
};

// --- Messages and exit codes ---

TEST_F(Dovrik, WithoutTwoArgumentsShowsUsageAndCreatesNothing) {
  for (std::vector<std::string> args : {std::vector<std::string>{}, {"in.sql"}}) {
    RunResult result = Run(args);
    EXPECT_EQ(1, result.exitCode);
    EXPECT_EQ(kBanner + kUsage, result.out);
  }
  EXPECT_EQ(0, EntryCount());
}

TEST_F(Dovrik, OutputThatCannotBeCreated) {
  WriteBytes(dir.file("in.sql"), "select 1\r\n");
  testsupport::MakeDirs(dir.file("folder"));
  for (const char* out : {"missing\\out.sql", "folder"}) {
    RunResult result = Run({"in.sql", out});
    EXPECT_EQ(2, result.exitCode) << out;
    EXPECT_EQ(kBanner + "Error creating file\n", result.out) << out;
  }
}

TEST_F(Dovrik, InputThatCannotBeOpenedLeavesTheOutputBehind) {
  WriteBytes(dir.file("head.txt"), "-- head\r\n");
  RunResult result = Run({"missing.sql", "out.sql"});
  EXPECT_EQ(3, result.exitCode);
  EXPECT_EQ(kBanner + "Error opening file\n", result.out);
  EXPECT_EQ("", ReadBytes(dir.file("out.sql")));

  // With a header, the output holds the header.
  result = Run({"missing.sql", "out.sql", "head.txt"});
  EXPECT_EQ(3, result.exitCode);
  EXPECT_EQ("-- head\r\n", ReadBytes(dir.file("out.sql")));

  testsupport::MakeDirs(dir.file("folder"));
  result = Run({"folder", "out.sql"});
  EXPECT_EQ(3, result.exitCode);
  EXPECT_EQ(kBanner + "Error opening file\n", result.out);
}

TEST_F(Dovrik, TakesWindowsPathsAndReplacesAnExistingOutput) {
  WriteBytes(dir.file("Script.SQL"), "select 1\r\n");
  WriteBytes(dir.file("out.sql"), "old text that is longer than the new\r\n");
  RunResult result = Run({dir.winPath("script.sql"), ".\\OUT.sql"});
  EXPECT_EQ(0, result.exitCode);
  EXPECT_EQ(kBanner + kDone, result.out);
  EXPECT_EQ("select 1\r\n", ReadBytes(dir.file("out.sql")));
}

// --- Comments ---

TEST_F(Dovrik, CutsBlockCommentsWithinALine) {
  EXPECT_EQ(CrLf({"select a from t",       // code, comment, code
                  "select b",              // code, comment, code, comment: up to the first opener
                  "a b",                   // "/*/" opens and closes
                  "c",
                  " d"}),                  // end of one comment, code, start of another
            Prepare(CrLf({"select a /* the a */ from t",
                          "select b /* one */ from u /* two */   ",
                          "a /*/ b",
                          "c",
                          "x */ d /* y",
                          "/* whole line */"})));
}

TEST_F(Dovrik, MultiLineCommentKeepsTheTextAroundIt) {
  EXPECT_EQ(CrLf({"select a,", " from t", "go"}),
            Prepare(CrLf({"select a, /* a comment", "  inner /* nested */", "inner 2",
                          "end */ from t", "go"})));
  // An unclosed comment swallows the rest of the script without a word.
  EXPECT_EQ(CrLf({"a"}), Prepare(CrLf({"a", "/* open", "b"})));
}

TEST_F(Dovrik, SurplusCloserSilencesLinesUntilOpenersBalanceIt) {
  EXPECT_EQ(CrLf({"a", "e"}),
            Prepare(CrLf({"a", "*/ b", "c", "/* d", "e"})));
  EXPECT_EQ(CrLf({"a", " c"}),
            Prepare(CrLf({"a", "b */", "x */ c /* y /* z"})));
}

TEST_F(Dovrik, LineComments) {
  EXPECT_EQ(CrLf({"a", " -- not at the start", "-- after a tab", "b"}),
            Prepare(CrLf({"a", "-- comment /* not counted", "   -- not at the start",
                          "\t-- after a tab", "b"})));
}

TEST_F(Dovrik, SettingsBlockPassesWithOnlyItsWhiteSpaceTreated) {
  EXPECT_EQ(CrLf({"/*VOXTAG", "[Script]", "Application = \"App\"", "BasedOn=x y",
                  "VOXTAG*/", "select 1", " VOXTAG*/ */ d"}),
            Prepare(CrLf({"/*VOXTAG", "[Script]", "Application\t=  \"App\"\t ",
                          "\t\tBasedOn=x\ty", "VOXTAG*/", "select 1",
                          // braces after a marker are not searched
                          "/* c */ VOXTAG*/ */ d"})));
}

// --- White space and options ---

TEST_F(Dovrik, SqueezesWhiteSpaceAndDropsEmptyLines) {
  EXPECT_EQ(CrLf({"select a, b", " x", "lone\rcr"}),
            Prepare(CrLf({"\t\tselect\t  a,\t\tb  \t", "", "     ", "\t \t", " \tx",
                          "lone\rcr"}) + "\n\r\n"));
}

TEST_F(Dovrik, QuoteOptionTakesAnUpperCaseYOnly) {
  const std::string script = CrLf({"select \"a\" from t"});
  EXPECT_EQ(CrLf({"select 'a' from t"}), Prepare(script, {"none.txt", "Y"}));
  EXPECT_EQ(CrLf({"select 'a' from t"}), Prepare(script, {"none.txt", "Yes"}));
  EXPECT_EQ(script, Prepare(script, {"none.txt", "y"}));
  EXPECT_EQ(script, Prepare(script, {"none.txt"}));
}

TEST_F(Dovrik, HashOptionTakesAnUpperCaseNOnly) {
  const std::string script = CrLf({"#define", "a", "; note", " #kept"});
  EXPECT_EQ(CrLf({"a", " #kept"}), Prepare(script, {"none.txt", "-", "N"}));
  EXPECT_EQ(script, Prepare(script, {"none.txt", "-", "n"}));
  EXPECT_EQ(script, Prepare(script, {"none.txt", "-"}));
}

// --- Long lines and bad input ---

TEST_F(Dovrik, LongLinesArriveInPiecesOf16383) {
  std::string a(16383, 'a'), b(3617, 'b');
  EXPECT_EQ(CrLf({a.c_str(), b.c_str()}), Prepare(a + b + "\r\n"));
  // Exactly one buffer: the line end alone follows and is empty.
  EXPECT_EQ(CrLf({a.c_str(), "x"}), Prepare(CrLf({a.c_str(), "x"})));
}

TEST_F(Dovrik, BadInputGivesAResultNotACrash) {
  // A zero byte ends the text of a line; bytes above 127 are text.
  EXPECT_EQ("ab\r\nsel\xe9" "ct \xff\r\n",
            Prepare("ab\0cd\r\nsel\xe9" "ct \xff\r\n"s));

  // Every byte value, over and over, with no line end for long stretches,
  // and a megabyte line of braces.
  std::string binary;
  for (int i = 0; i < 20000; ++i) binary += static_cast<char>((i * 7919) % 256);
  Prepare(binary);
  std::string braces;
  for (int i = 0; i < 200000; ++i) braces += "*/*/ /*";
  Prepare(braces);
}

// --- Header ---

TEST_F(Dovrik, HeaderIsCopiedByteForByte) {
  const std::string header =
      "-- header\r\n\r\n/* kept */\t  \r\nzero \0 and \x1a stay\r\nlast without end"s;
  WriteBytes(dir.file("head.txt"), header);
  // Windows' runtime ends a text at the byte 1A.
  const std::string copied = testsupport::CtrlZEndsTextReads() ? header.substr(0, header.find('\x1a')) : header;
  EXPECT_EQ(copied + "select 1\r\n", Prepare(CrLf({"select 1"}), {"head.txt"}));

  // A header that cannot be read is left out without a word.
  testsupport::MakeDirs(dir.file("folder"));
  EXPECT_EQ(CrLf({"select 1"}), Prepare(CrLf({"select 1"}), {"folder"}));
}

}  // namespace
