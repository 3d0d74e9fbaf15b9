// The CVS queries against the real CVS client: a repository made with
// "cvs init" in the test's folder, a checkout with a second revision and a
// sticky tag, and each query's answer compared with what cvs itself prints.
// Skipped where no cvs client is on PATH (Wine has no Windows cvs.exe).
#include <direct.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include <tekora/tekora.h>
#include <testsupport/environment.h>
#include <testsupport/files.h>
#include <testsupport/run_program.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::ScopedEnv;
using testsupport::WriteBytes;

#ifdef _WIN32
const char kPathSeparator = ';';
const char kClient[] = "cvs.exe";
#else
const char kPathSeparator = ':';
const char kClient[] = "cvs";
#endif

std::string FindClient() {
  const char* path = getenv("PATH");
  std::string list = path ? path : "";
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(kPathSeparator, start);
    if (end == std::string::npos) end = list.size();
    std::string candidate = list.substr(start, end - start) + "/" + kClient;
    if (end > start && testsupport::Exists(candidate)) return candidate;
    start = end + 1;
  }
  return "";
}

// The text after `marker` on the first line of `text` that holds it, up to
// the line's end.
std::string After(const std::string& text, const std::string& marker) {
  size_t at = text.find(marker);
  if (at == std::string::npos) return "";
  at += marker.size();
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  return text.substr(at, text.find('\n', at) - at);
}

class CvsClientTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    client_ = FindClient();
    if (client_.empty()) GTEST_SKIP() << "no " << kClient << " on PATH (Wine runs no POSIX cvs)";
    testsupport::MakeDirs(dir.file("tmp"));
    testsupport::MakeDirs(dir.file("import"));
    Cvs({"-d", dir.file("repo"), "init"});
    WriteBytes(dir.file("import/main.cpp"), "one\n");
    WriteBytes(dir.file("import/" + kOddName), "odd\n");
    Cvs({"-d", dir.file("repo"), "import", "-m", "start", "proj", "vendor", "start"}, "import");
    testsupport::MakeDirs(dir.file("home"));
    Cvs({"-d", dir.file("repo"), "checkout", "proj"}, "home");
    WriteBytes(dir.file("home/proj/main.cpp"), "one\ntwo\n");
    Cvs({"commit", "-m", "second", "main.cpp"}, "home/proj");
    home_.reset(new ScopedEnv("PHOME", dir.winPath("home")));
    temp_.reset(new testsupport::ScopedTempFolder(dir.file("tmp")));
  }
  std::string Cvs(const std::vector<std::string>& args, const std::string& in = "") {
    std::vector<std::string> argv = {client_, "-Q"};
    argv.insert(argv.end(), args.begin(), args.end());
    testsupport::RunResult result = testsupport::RunProgram(argv, in.empty() ? dir.path() : dir.file(in));
    EXPECT_EQ(0, result.exitCode) << result.err;
    return result.out;
  }
  std::string File(const std::string& name) { return dir.winPath("home\\proj\\" + name); }

  const std::string kOddName = "my file & x;y%z (2).txt";
  std::string client_;
  std::unique_ptr<ScopedEnv> home_;
  std::unique_ptr<testsupport::ScopedTempFolder> temp_;
};

TEST_F(CvsClientTest, QueriesAnswerWhatCvsPrints) {
  char before[MAX_PATH];
  ASSERT_TRUE(_getcwd(before, MAX_PATH));
  for (const std::string& name : {std::string("main.cpp"), kOddName}) {
    std::string status = Cvs({"status", name}, "home/proj");
    CString tag("x"), revision;
    EXPECT_EQ(1, PACvsStatus(File(name).c_str(), tag, revision)) << name;
    EXPECT_EQ("", std::string(tag)) << name;  // "(none)"
    EXPECT_EQ(After(status, "Working revision:"), std::string(revision)) << name;

    std::string log = Cvs({"log", "-N", name}, "home/proj");
    CString option;
    EXPECT_EQ(1, PACvsLatestRevision(File(name).c_str(), "", "", option)) << name;
    EXPECT_EQ("-r" + After(log, "head:"), std::string(option)) << name;
    CString author;
    EXPECT_EQ(1, PACvsRevisionAuthor(File(name).c_str(), After(log, "head:").c_str(), author)) << name;
    std::string printed = After(log, "author:");
    EXPECT_EQ(printed.substr(0, printed.find(';')), std::string(author)) << name;
  }
  CString revision;
  EXPECT_EQ(1, PACvsEntryRevision(File("main.cpp").c_str(), &revision));
  EXPECT_EQ("1.2", std::string(revision));
  char after[MAX_PATH];
  ASSERT_TRUE(_getcwd(after, MAX_PATH));
  EXPECT_EQ(std::string(before), std::string(after));
  EXPECT_TRUE(testsupport::FileNames(dir.file("tmp")).empty());
}

TEST_F(CvsClientTest, StickyTagAndOlderRevision) {
  Cvs({"tag", "rel-1", "main.cpp"}, "home/proj");
  Cvs({"update", "-r", "1.1", "main.cpp"}, "home/proj");
  std::string status = Cvs({"status", "main.cpp"}, "home/proj");
  CString tag, revision;
  EXPECT_EQ(1, PACvsStatus(File("main.cpp").c_str(), tag, revision));
  EXPECT_EQ(After(status, "Sticky Tag:"), std::string(tag));
  EXPECT_EQ(0u, std::string(tag).find("1.1"));  // a sticky revision
  EXPECT_EQ(0u, std::string(revision).find("1.1"));
  Cvs({"update", "-r", "rel-1", "main.cpp"}, "home/proj");
  EXPECT_EQ(1, PACvsStatus(File("main.cpp").c_str(), tag, revision));
  EXPECT_EQ(0u, std::string(tag).find("rel-1"));
  CString entry;
  EXPECT_EQ(1, PACvsEntryRevision(File("main.cpp").c_str(), &entry));
  EXPECT_EQ("1.2", std::string(entry));
  // The newest revision on the branch of the tag: "-rrel-1" as option.
  CString option;
  EXPECT_EQ(1, PACvsLatestRevision(File("main.cpp").c_str(), "-rREL-1", "", option));
  EXPECT_EQ("-r1.2", std::string(option));
}

TEST_F(CvsClientTest, AFileCvsDoesNotKnow) {
  WriteBytes(dir.file("home/proj/new.cpp"), "x\n");
  CString tag, revision, option;
  EXPECT_EQ(1, PACvsStatus(File("new.cpp").c_str(), tag, revision));
  EXPECT_EQ(After(Cvs({"status", "new.cpp"}, "home/proj"), "Working revision:"), std::string(revision));
  EXPECT_EQ(1, PACvsLatestRevision(File("new.cpp").c_str(), "", "", option));  // cvs fails: absorbed
  EXPECT_EQ("", std::string(option));
  EXPECT_EQ(0, PACvsEntryRevision(File("new.cpp").c_str(), nullptr));
  EXPECT_TRUE(testsupport::FileNames(dir.file("tmp")).empty());
}

}  // namespace
