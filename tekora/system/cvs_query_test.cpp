// The CVS queries against a stand-in client (bin/fakecvs/cvs) that records
// its arguments and prints a given output, so that the batch files, the
// quoting and the parsing are tested on every platform (on Windows through
// cmd.exe). The real client is tested in cvs_client_test.cpp.
#include <direct.h>

#include <string>
#include <chrono>
#include <future>
#include <thread>

#include <tekora/tekora.h>
#include <testsupport/environment.h>
#include <testsupport/files.h>
#include <testsupport/platform.h>
#include <testsupport/run_program.h>
#include <testsupport/temp_dir.h>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

using testsupport::ReadBytes;
using testsupport::ScopedEnv;
using testsupport::WriteBytes;

#ifdef _WIN32
const char kPathSeparator = ';';
#else
const char kPathSeparator = ':';
#endif

std::string CurrentDirectory() {
  char cwd[MAX_PATH];
  return _getcwd(cwd, MAX_PATH) ? cwd : "";
}

class CvsQueryTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    testsupport::MakeDirs(dir.file("home/proj/CVS"));
    testsupport::MakeDirs(dir.file("tmp"));
    WriteBytes(dir.file("home/proj/main.cpp"), "int main() {}\n");
    const char* path = getenv("PATH");
    env_.emplace_back(new ScopedEnv("PATH", FakeCvsFolder() + kPathSeparator + (path ? path : "")));
    env_.emplace_back(new ScopedEnv("PHOME", dir.winPath("home")));
    env_.emplace_back(new ScopedEnv("FAKECVS_ARGS", dir.file("args.txt")));
    env_.emplace_back(new ScopedEnv("FAKECVS_OUTPUT", dir.file("output.txt")));
    temp_.reset(new testsupport::ScopedTempFolder(dir.file("tmp")));
    WriteBytes(dir.file("output.txt"), "");
  }
  static std::string FakeCvsFolder() {
    std::string folder = testsupport::BinPath("fakecvs");
#ifdef _WIN32
    for (char& c : folder)
      if (c == '/') c = '\\';
    // Under Wine the build folder is a path of the POSIX machine without a
    // drive; the queries run in the test's folder on another drive, so the
    // folder gets the drive Wine maps the POSIX root to.
    if (testsupport::RunningUnderWine() && !folder.empty() && folder[0] == '\\') folder = "Z:" + folder;
#endif
    return folder;
  }
  std::string File(const std::string& name = "main.cpp") { return dir.winPath("home\\proj\\" + name); }
  // What the query left behind in the temporary folder (nothing, always).
  std::vector<std::string> Leftovers() { return testsupport::FileNames(dir.file("tmp")); }

  std::vector<std::unique_ptr<ScopedEnv>> env_;
  std::unique_ptr<testsupport::ScopedTempFolder> temp_;
};

TEST_F(CvsQueryTest, StatusGivesStickyTagAndWorkingRevision) {
  WriteBytes(dir.file("output.txt"),
             "File: main.cpp          Status: Up-to-date\n\n"
             "   Working revision:\t1.2\tMon Jun 15 10:00:00 2009\n"
             "   Repository revision:\t1.2\t/repo/proj/main.cpp,v\n"
             "   Sticky Tag:\t\trel-1 (revision: 1.2)\n"
             "   Sticky Date:\t\t(none)\n");
  const std::string before = CurrentDirectory();
  CString tag("old"), revision("old");
  // The path is taken in lower case.
  std::string upper = File("MAIN.CPP");
  EXPECT_EQ(1, PACvsStatus(upper.c_str(), tag, revision));
  EXPECT_EQ("rel-1 (revision: 1.2)", std::string(tag));
  EXPECT_EQ("1.2\tMon Jun 15 10:00:00 2009", std::string(revision));
  EXPECT_EQ("[status][main.cpp]", ReadBytes(dir.file("args.txt")));
  EXPECT_EQ(before, CurrentDirectory());
  EXPECT_TRUE(Leftovers().empty());

  // "(none)" is no tag; a tag ends before a blank and a tab in a row; later
  // lines win.
  WriteBytes(dir.file("output.txt"), "Working revision: 1.1\nSticky Tag:  (none)\nWorking revision:\t1.3\n");
  EXPECT_EQ(1, PACvsStatus(File().c_str(), tag, revision));
  EXPECT_EQ("", std::string(tag));
  EXPECT_EQ("1.3", std::string(revision));
  WriteBytes(dir.file("output.txt"), "   Sticky Tag:\tbranch-2 \tmore\n");
  EXPECT_EQ(1, PACvsStatus(File().c_str(), tag, revision));
  EXPECT_EQ("branch-2", std::string(tag));
  EXPECT_EQ("", std::string(revision));
}

TEST_F(CvsQueryTest, NamesWithMetacharactersAreOneArgumentAndNeverACommand) {
  std::string name = testsupport::OnWindows() ? "a & b;c%d%e (1)^!.cpp" : "a & b;c%d%e|f\"g (1)^!.cpp";
  WriteBytes(dir.file("home/proj/" + name), "x");
  WriteBytes(dir.file("output.txt"), "revision 1.4\n");
  CString option;
  EXPECT_EQ(1, PACvsLatestRevision(File(name).c_str(), "", "", option));
  EXPECT_EQ("-r1.4", std::string(option));
  EXPECT_EQ("[log][-N][" + name + "]", ReadBytes(dir.file("args.txt")));
  // The caller's option words are single arguments too: "&" does not end
  // the command.
  EXPECT_EQ(1, PACvsLatestRevision(File().c_str(), "-B -D \"x & y\"", "& del main.cpp", option));
  EXPECT_EQ("[log][-b][-d][x & y][&][del][main.cpp][-N][main.cpp]", ReadBytes(dir.file("args.txt")));
  EXPECT_TRUE(testsupport::Exists(dir.file("home/proj/main.cpp")));
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(CvsQueryTest, LogGivesLatestRevisionAndAuthor) {
  WriteBytes(dir.file("output.txt"),
             "RCS file: /repo/proj/main.cpp,v\nhead: 1.12\n----------------------------\n"
             "  Revision 1.12  \ndate: 2009/06/15 10:00:00;  author: jdoe;  state: Exp;  lines: +1 -0\n"
             "----------------------------\nrevision 1.11\n"
             "date: 2009/06/14 10:00:00;  author: Ann Lee ;  state: Exp;\nauthor: nobody, without a state\n");
  CString option("old");
  EXPECT_EQ(1, PACvsLatestRevision(File().c_str(), "-b", "-d2009", option));
  EXPECT_EQ("-r1.12", std::string(option));  // the first revision line, lower-cased
  EXPECT_EQ("[log][-b][-d2009][-N][main.cpp]", ReadBytes(dir.file("args.txt")));
  CString author("old");
  EXPECT_EQ(1, PACvsRevisionAuthor(File().c_str(), "1.12", author));
  EXPECT_EQ("Ann Lee", std::string(author));  // later lines win; case is kept
  EXPECT_EQ("[log][-r1.12][-N][main.cpp]", ReadBytes(dir.file("args.txt")));
  WriteBytes(dir.file("output.txt"), "date: x;  author: jdoe;  state: Exp;\n");
  EXPECT_EQ(1, PACvsRevisionAuthor(File().c_str(), "1.2", author));
  EXPECT_EQ("jdoe", std::string(author));
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(CvsQueryTest, FailingOrMissingClientIsAbsorbed) {
  WriteBytes(dir.file("output.txt"), "Sticky Tag: rel\nWorking revision: 1.2\nrevision 1.2\nauthor: a; state: b;\n");
  CString tag, revision, option, author;
  {
    ScopedEnv failing("FAKECVS_EXIT", "1");
    EXPECT_EQ(1, PACvsStatus(File().c_str(), tag, revision));
    EXPECT_EQ("", std::string(tag));
    EXPECT_EQ("", std::string(revision));
    EXPECT_EQ(1, PACvsLatestRevision(File().c_str(), "", "", option));
    EXPECT_EQ("", std::string(option));
  }
  {
    testsupport::MakeDirs(dir.file("nothing"));
    ScopedEnv noClient("PATH", dir.winPath("nothing"));
    EXPECT_EQ(1, PACvsStatus(File().c_str(), tag, revision));
    EXPECT_EQ("", std::string(revision));
    EXPECT_EQ(1, PACvsRevisionAuthor(File().c_str(), "1.1", author));
    EXPECT_EQ("", std::string(author));
  }
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(CvsQueryTest, QueriesThatCannotRunGiveZero) {
  const std::string before = CurrentDirectory();
  CString tag, revision, option;
  EXPECT_EQ(0, PACvsStatus("", tag, revision));
  EXPECT_EQ(0, PACvsStatus(File("missing.cpp").c_str(), tag, revision));
  EXPECT_EQ(0, PACvsLatestRevision(File("missing.cpp").c_str(), "", "", option));
  // Outside the project home: status and entries refuse, the log queries do not.
  WriteBytes(dir.file("outside.cpp"), "x");
  EXPECT_EQ(0, PACvsStatus(dir.winPath("outside.cpp").c_str(), tag, revision));
  EXPECT_EQ(0, PACvsEntryRevision(dir.winPath("outside.cpp").c_str(), &revision));
  EXPECT_EQ(1, PACvsLatestRevision(dir.winPath("outside.cpp").c_str(), "", "", option));
  {
    ScopedEnv noHome("PHOME", dir.winPath("no-such-home"));
    EXPECT_EQ(0, PACvsStatus(File().c_str(), tag, revision));
  }
  // No temporary file can be made.
  temp_->Set(dir.file("no-such-tmp"));
  EXPECT_EQ(0, PACvsStatus(File().c_str(), tag, revision));
  EXPECT_EQ(before, CurrentDirectory());
}

TEST_F(CvsQueryTest, EntryRevisionFromTheEntriesFile) {
  WriteBytes(dir.file("home/proj/CVS/Entries"),
             "/other.cpp/1.3/Mon Jun 15 10:00:00 2009//\r\n  /Main.CPP/1.7/Mon Jun 15 10:00:00 2009//  \r\nD\r\n");
  CString revision("untouched");
  EXPECT_EQ(1, PACvsEntryRevision(File().c_str(), &revision));
  EXPECT_EQ("1.7", std::string(revision));
  EXPECT_EQ(1, PACvsEntryRevision(File().c_str(), nullptr));
  revision = "untouched";
  WriteBytes(dir.file("home/proj/absent.cpp"), "x");
  EXPECT_EQ(0, PACvsEntryRevision(File("absent.cpp").c_str(), &revision));
  EXPECT_EQ("untouched", std::string(revision));
  // Binary bookkeeping and a line of 1 MB: nothing found, nothing broken.
  WriteBytes(dir.file("home/proj/CVS/Entries"), std::string("\0\x01\xff/main", 8) + std::string(1 << 20, 'x') + "\n");
  EXPECT_EQ(0, PACvsEntryRevision(File().c_str(), &revision));
  remove(dir.file("home/proj/CVS/Entries").c_str());
  EXPECT_EQ(0, PACvsEntryRevision(File().c_str(), &revision));
  EXPECT_EQ("untouched", std::string(revision));
}

TEST_F(CvsQueryTest, HugeOutputIsReadLineByLine) {
  std::string line(99, 'x');
  line += '\n';
  std::string output;
  output.reserve(100u << 20);
  while (output.size() < (100u << 20)) output += line;
  output += "   Working revision:\t9.9\n";
  WriteBytes(dir.file("output.txt"), output);
  output.clear();
  output.shrink_to_fit();
  CString tag, revision;
  EXPECT_EQ(1, PACvsStatus(File().c_str(), tag, revision));
  EXPECT_EQ("9.9", std::string(revision));
  EXPECT_TRUE(Leftovers().empty());
}

#ifndef _WIN32
TEST_F(CvsQueryTest, AClientThatAsksForInputGetsNoneInsteadOfBlocking) {
  // Standard input is a pipe that nobody writes to: a child reading it would
  // wait for ever. The query's child reads the null device instead. (POSIX
  // only: the test swaps the process's standard input descriptor.)
  int pipeEnds[2];
  ASSERT_EQ(0, pipe(pipeEnds));
  int savedInput = dup(0);
  dup2(pipeEnds[0], 0);
  // A broken query would hang; the watchdog then ends the input so that the
  // test ends, and fails.
  std::promise<void> finished;
  std::thread watchdog([&pipeEnds, done = finished.get_future()] {
    done.wait_for(std::chrono::seconds(20));
    close(pipeEnds[1]);
  });
  ScopedEnv asking("FAKECVS_READ_INPUT", "1");
  WriteBytes(dir.file("output.txt"), "Working revision: 1.5\n");
  time_t start = time(nullptr);
  CString tag, revision;
  EXPECT_EQ(1, PACvsStatus(File().c_str(), tag, revision));
  EXPECT_LT(time(nullptr) - start, 15);
  EXPECT_EQ("1.5", std::string(revision));
  finished.set_value();
  watchdog.join();
  dup2(savedInput, 0);
  close(savedInput);
  close(pipeEnds[0]);
}
#endif

}  // namespace
