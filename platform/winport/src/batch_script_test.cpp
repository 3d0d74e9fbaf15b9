// Reading batch-file lines: the forms the interpreter runs, and the lines it
// must refuse because cmd.exe would read them as more than one command or
// as something other than a program call.
#include "batch_script.h"

#include <gtest/gtest.h>

namespace {

using winport::BatchLine;
using winport::ParseBatchLine;

TEST(BatchScriptTest, LinesThatRun) {
  EXPECT_EQ(BatchLine::kEchoOff, ParseBatchLine("@echo off").kind);
  EXPECT_EQ(BatchLine::kEchoOff, ParseBatchLine("  @ECHO   Off \r").kind);
  EXPECT_EQ(BatchLine::kEmpty, ParseBatchLine(" \t\r").kind);
  EXPECT_EQ(BatchLine::kEmpty, ParseBatchLine("@").kind);

  BatchLine del = ParseBatchLine("IF Exist \"C:\\a b\\x.tmp\" del c:\\other.tmp");
  ASSERT_EQ(BatchLine::kDeleteIfExists, del.kind);
  EXPECT_EQ("C:\\a b\\x.tmp", del.testPath);
  EXPECT_EQ("c:\\other.tmp", del.deletePath);

  BatchLine run = ParseBatchLine("cvs.exe status \"my file.txt\" > \"C:\\Temp Dir\\QZT1.tmp\"");
  ASSERT_EQ(BatchLine::kRun, run.kind);
  EXPECT_EQ("cvs.exe status \"my file.txt\"", run.commandLine);
  EXPECT_EQ("C:\\Temp Dir\\QZT1.tmp", run.redirect);

  BatchLine plain = ParseBatchLine("@tool -x");
  ASSERT_EQ(BatchLine::kRun, plain.kind);
  EXPECT_EQ("tool -x", plain.commandLine);
  EXPECT_EQ("", plain.redirect);
}

TEST(BatchScriptTest, QuotedMetacharactersStayInTheirArgument) {
  // "&", "|", "<", ">", ";", "^" and parentheses inside quotes are text; a
  // quote after an odd run of backslashes is literal and does not end them.
  BatchLine run = ParseBatchLine("tool \"a & b|c<d>e;f^g(h)\" \"q\\\"x & y\" >out.txt");
  ASSERT_EQ(BatchLine::kRun, run.kind) << run.reason;
  EXPECT_EQ("tool \"a & b|c<d>e;f^g(h)\" \"q\\\"x & y\"", run.commandLine);
  EXPECT_EQ("out.txt", run.redirect);
  // "%%" is one "%", as in every batch file.
  EXPECT_EQ("tool \"100% sure\"", ParseBatchLine("tool \"100%% sure\"").commandLine);
  EXPECT_EQ("a%b", ParseBatchLine("if exist x del a%%b").deletePath);
}

TEST(BatchScriptTest, LinesThatAreRefused) {
  const char* const refused[] = {
      "tool a & del x",          // a second command
      "tool a | more",           // a pipe
      "tool < in.txt",           // input redirection
      "tool >> out.txt",         // appending
      "tool > a > b",            // two redirections
      "tool 2> err.txt",         // a numbered handle
      "tool > a b",              // more than one file name
      "> out.txt",               // no program
      "tool %PATH%",             // a variable
      "tool %1",                 // an argument of the batch file
      "tool \"open quote",       // a quote left open
      "tool \"q\\\" & x",        // the escaped quote leaves "&" outside quotes
      "tool ^& x",               // an escape
      "(tool)",                  // a block
      "echo hello",              // echo other than "echo off"
      "echo off > x",
      "if exist a",              // "if" of another form
      "if not exist a del b",
      "if exist a del b > c",
      "del x",                   // the interpreter's own commands
      "REM a remark",
      "set X=1",
      "call other.bat",
      "cd \\",
      "goto end",
  };
  for (const char* line : refused) {
    BatchLine parsed = ParseBatchLine(line);
    EXPECT_EQ(BatchLine::kUnsupported, parsed.kind) << line;
    EXPECT_FALSE(parsed.reason.empty()) << line;
  }
}

TEST(BatchScriptTest, FileTextSplitsIntoLines) {
  EXPECT_EQ((std::vector<std::string>{"@echo off", "", "tool"}), winport::SplitBatchLines("@echo off\r\n\ntool"));
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), winport::SplitBatchLines("a\nb\r\n"));
  EXPECT_TRUE(winport::SplitBatchLines("").empty());
}

}  // namespace
