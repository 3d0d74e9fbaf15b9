// quillet end to end: the built program on files in a test's folder.
#include <gtest/gtest.h>

#include "quillet_test_support.h"

namespace {

using namespace std::string_literals;
using quillet_test::kBanner;
using quillet_test::QuilletTest;
using testsupport::CrLf;
using testsupport::Exists;
using testsupport::ReadBytes;

class MergeTest : public QuilletTest {
 protected:
  // The console text of a run that opens the list, creates the new script and
  // merges the given scripts.
  std::string Console(const std::string& list, const std::string& target,
                      const std::vector<std::string>& merged) {
    std::string text = kBanner + Canonical(list) + " opened\n" + Canonical(target) + " created\n";
    for (const std::string& script : merged) text += Canonical(script) + " merged\n";
    return text + "\ndone\n";
  }
};

TEST_F(MergeTest, TooFewArgumentsShowUsage) {
  for (const auto& args : {std::vector<std::string>{}, std::vector<std::string>{"src"}}) {
    const auto run = Run(args);
    EXPECT_EQ(87, run.exitCode);
    EXPECT_EQ("Usage: QUILLET source_directory new_script (Listfile)\n", run.out);
    ExpectConsole(kBanner, run);
  }
}

TEST_F(MergeTest, ScriptsFollowEachOtherWithAnEmptyLine) {
  Write("src/proclist.txt", "one.sql\r\ntwo.sql\r\n");
  Write("src/one.sql", "CREATE TABLE a (x INT)\r\nGO\r\n");
  Write("src/two.sql", "SELECT 1");  // no line end on the last line
  const auto run = Run({"src", "new.sql"});
  EXPECT_EQ(0, run.exitCode);
  EXPECT_EQ("", run.out);
  ExpectConsole(Console("src/proclist.txt", "new.sql", {"src/one.sql", "src/two.sql"}), run);
  EXPECT_EQ(CrLf({"CREATE TABLE a (x INT)", "GO", "", "SELECT 1", ""}), ReadBytes(dir.file("new.sql")));
}

TEST_F(MergeTest, ScriptsAreCopiedVerbatim) {
  // Lone CRs, LF-only line ends, comments, bytes above 127 and NUL bytes pass
  // unchanged; only LF becomes CR LF.
  const std::string text = "-- c\ra\n/* x */ '\xE9\xFF'\nn\0l"s;
  Write("src/proclist.txt", "s.sql\n");
  Write("src/s.sql", text);
  const auto run = Run({"src", "new.sql"});
  EXPECT_EQ(0, run.exitCode);
  EXPECT_EQ("-- c\ra\r\n/* x */ '\xE9\xFF'\r\nn\0l\r\n\r\n"s,
            ReadBytes(dir.file("new.sql")));
}

TEST_F(MergeTest, EmptyScriptGivesOneEmptyLine) {
  Write("src/proclist.txt", "empty.sql\r\n");
  Write("src/empty.sql", "");
  EXPECT_EQ(0, Run({"src", "new.sql"}).exitCode);
  EXPECT_EQ("\r\n", ReadBytes(dir.file("new.sql")));
}

TEST_F(MergeTest, ThirdArgumentNamesListInsideSourceFolder) {
  Write("my.lst", "wrong.sql\r\n");  // in the working folder: not read
  Write("src/my.lst", "right.sql\r\n");
  Write("src/right.sql", "R\r\n");
  const auto run = Run({"src", "new.sql", "my.lst"});
  EXPECT_EQ(0, run.exitCode);
  ExpectConsole(Console("src/my.lst", "new.sql", {"src/right.sql"}), run);
  EXPECT_EQ(CrLf({"R", ""}), ReadBytes(dir.file("new.sql")));
}

TEST_F(MergeTest, ListEntriesAreTrimmedAndUnquoted) {
  Write("src/proclist.txt",
        "\r\n   \r\n  ' a b.sql '  \r\n\"x.sql\"\r\n'y.sql\"\r\n\"\r\n");
  Write("src/a b.sql", "A\r\n");
  Write("src/x.sql", "X\r\n");
  const auto run = Run({"src", "new.sql"});
  EXPECT_EQ(0, run.exitCode);
  // A single quote and a double quote are not a pair: the entry keeps both.
  EXPECT_EQ("Error in " + Canonical("src/proclist.txt") + ":\n" + Canonical("src/'y.sql\"") + " not found\n",
            run.out);
  EXPECT_EQ(CrLf({"A", "", "X", ""}), ReadBytes(dir.file("new.sql")));
}

TEST_F(MergeTest, MissingScriptIsReportedAndSkipped) {
  Write("src/proclist.txt", "gone.sql\r\nhere.sql\r\n");
  Write("src/here.sql", "H\r\n");
  const auto run = Run({"src", "new.sql"});
  EXPECT_EQ(0, run.exitCode);
  EXPECT_EQ("Error in " + Canonical("src/proclist.txt") + ":\n" + Canonical("src/gone.sql") + " not found\n",
            run.out);
  ExpectConsole(Console("src/proclist.txt", "new.sql", {"src/here.sql"}), run);
}

TEST_F(MergeTest, UnbalancedScriptIsReportedAndMergedAllTheSame) {
  Write("src/proclist.txt", "open.sql\r\n");
  Write("src/open.sql", "/* /* */\r\nSELECT 1\r\n");
  const auto run = Run({"src", "new.sql"});
  EXPECT_EQ(0, run.exitCode);
  EXPECT_EQ("Error: file " + Canonical("src/open.sql") + " contains unmatched comment braces\n\n", run.out);
  EXPECT_EQ(CrLf({"/* /* */", "SELECT 1", ""}), ReadBytes(dir.file("new.sql")));
}

TEST_F(MergeTest, ScriptThatCannotBeCheckedIsSkipped) {
  // A folder in the list exists but cannot be read as a script.
  Write("src/proclist.txt", "folder.sql\r\nnew.sql\r\nok.sql\r\n");
  Write("src/folder.sql/inner.txt", "");
  Write("src/ok.sql", "OK\r\n");
  // The new script itself is held exclusively while quillet writes it.
  const auto run = Run({"src", "src/new.sql"});
  EXPECT_EQ(0, run.exitCode);
  EXPECT_EQ("Error 0000001e during preprocessing of " + Canonical("src/folder.sql") + "\n\n" +
                "Error 0000001e during preprocessing of " + Canonical("src/new.sql") + "\n\n",
            run.out);
  EXPECT_EQ(CrLf({"OK", ""}), ReadBytes(dir.file("src/new.sql")));
}

TEST_F(MergeTest, PathsAreShownAbsoluteAndLowerCase) {
  Write("Src/ProcList.TXT", "One.SQL\r\n");
  Write("Src/One.SQL", "1\r\n");
  const auto run = Run({"SRC", "Out/../NEW.sql"});
  EXPECT_EQ(0, run.exitCode);
  ExpectConsole(Console("src/proclist.txt", "new.sql", {"src/one.sql"}), run);
  EXPECT_EQ(CrLf({"1", ""}), ReadBytes(dir.file("new.sql")));
}

TEST_F(MergeTest, MissingListLeavesNewScriptAlone) {
  Write("new.sql", "keep me");
  Write("src/other.txt", "");
  const auto run = Run({"src", "new.sql"});
  EXPECT_EQ(2, run.exitCode);
  EXPECT_EQ("Error: " + Canonical("src/proclist.txt") + " not found\n", run.out);
  ExpectConsole(kBanner, run);
  EXPECT_EQ("keep me", ReadBytes(dir.file("new.sql")));

  const auto noSource = Run({"nowhere", "other.sql"});
  EXPECT_EQ(2, noSource.exitCode);
  EXPECT_EQ("Error: " + Canonical("nowhere/proclist.txt") + " not found\n", noSource.out);
  EXPECT_FALSE(Exists(dir.file("other.sql")));
}

TEST_F(MergeTest, ListThatCannotBeOpened) {
  Write("src/proclist.txt/inner", "");  // a folder by the list's name
  Write("new.sql", "keep me");
  const auto run = Run({"src", "new.sql"});
  EXPECT_EQ(2, run.exitCode);
  EXPECT_EQ("Error: cannot open " + Canonical("src/proclist.txt") + "\n", run.out);
  EXPECT_EQ("keep me", ReadBytes(dir.file("new.sql")));
}

TEST_F(MergeTest, NewScriptThatCannotBeCreated) {
  Write("src/proclist.txt", "a.sql\r\n");
  const auto run = Run({"src", "no/such/folder/new.sql"});
  EXPECT_EQ(2, run.exitCode);
  EXPECT_EQ("Error: cannot create " + Canonical("no/such/folder/new.sql") + "\n", run.out);
  ExpectConsole(kBanner + Canonical("src/proclist.txt") + " opened\n", run);
}

TEST_F(MergeTest, OverlongPathsAreNotFound) {
  const std::string longName(300, 'n');
  Write("src/proclist.txt", longName + ".sql\r\n");
  const auto run = Run({"src", "new.sql"});
  EXPECT_EQ(0, run.exitCode);
  // The check could not make the path absolute, so it is shown as formed.
  EXPECT_EQ("Error in " + Canonical("src/proclist.txt") + ":\nsrc\\" + longName + ".sql not found\n", run.out);
  EXPECT_EQ("", ReadBytes(dir.file("new.sql")));
}

TEST_F(MergeTest, LongListIsMergedInOrder) {
  std::string list, expected;
  for (int i = 0; i < 10000; ++i) {
    list += "s" + std::to_string(i % 50) + ".sql\r\n";
    expected += "-- " + std::to_string(i % 50) + "\r\n\r\n";
  }
  for (int i = 0; i < 50; ++i) Write("src/s" + std::to_string(i) + ".sql", "-- " + std::to_string(i) + "\n");
  Write("src/proclist.txt", list);
  EXPECT_EQ(0, Run({"src", "new.sql"}).exitCode);
  EXPECT_EQ(expected, ReadBytes(dir.file("new.sql")));
}

TEST_F(MergeTest, WrongLibraryVersionStopsBeforeAnyFile) {
  // quillet started next to a tekora of another release.
  const std::string tekora = testsupport::LibraryFile("tekora");
  testsupport::MakeDirs(dir.file("app"));
  for (const std::string& name : testsupport::FileNames(testsupport::BinPath("")))
    if (name != tekora) testsupport::CopyFileTo(testsupport::BinPath(name), dir.file("app/" + name));
  testsupport::CopyFileTo(testsupport::BinPath("other-tekora/" + tekora), dir.file("app/" + tekora));
  Write("src/proclist.txt", "a.sql\r\n");

  const auto run =
      testsupport::RunProgram({dir.file("app/" + testsupport::ProgramFile("quillet")), "src", "new.sql"}, dir.path());
  EXPECT_EQ(testsupport::ReportedExitCode(1114), run.exitCode);
  EXPECT_EQ("Error: TEKORA.DLL is wrong version\n\n", run.out);
  ExpectConsole(kBanner, run);
  EXPECT_FALSE(Exists(dir.file("new.sql")));
}

// Scripts small enough for one read and scripts too large for it are merged
// alike; a stop of the check on an overlong token leaves the new script with
// the scripts merged before, none of the stopped one.
TEST_F(MergeTest, LargeScriptsAndTheStopOnAnOverlongToken) {
  std::string large;
  while (large.size() < 5 * 1024 * 1024) large += "select '/*' -- */\r\n\n\r/* x */\r\r\n";
  Write("src/large.sql", large + "end");
  Write("src/small.sql", "one\ntwo\r\n");
  Write("src/proclist.txt", "small.sql\r\nlarge.sql\r\nsmall.sql\r\n");
  auto run = Run({"src", "new.sql"});
  EXPECT_EQ(0, run.exitCode);
  std::string expandedLarge;
  for (size_t i = 0; i < large.size(); ++i) {
    if (large[i] == '\n' && (i == 0 || large[i - 1] != '\r')) expandedLarge += '\r';
    expandedLarge += large[i];
  }
  const std::string small = "one\r\ntwo\r\n\r\n";
  EXPECT_TRUE(small + expandedLarge + "end\r\n\r\n" + small == ReadBytes(dir.file("new.sql")));

  Write("src/stop.sql", "select 1;\r\n" + std::string(128000, ' ') + "\r\n");
  Write("src/proclist.txt", "small.sql\r\nstop.sql\r\nsmall.sql\r\n");
  run = Run({"src", "new.sql"});
  EXPECT_EQ(1, run.exitCode);
  EXPECT_NE(std::string::npos, run.err.find("pclex PInput buffer overflowed\n"));
#if !defined(__SANITIZE_ADDRESS__)
  // The runtime writes what the new script holds as the process exits; in a
  // sanitizer build the leak check ends the process before that (the stop
  // leaves the list's stream open), whichever way the script was merged.
  EXPECT_EQ(small, ReadBytes(dir.file("new.sql")));
#endif
}

}  // namespace
