// Counting up by the header's sticky tag, against a real CVS working copy.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/environment.h>
#include <testsupport/files.h>
#include <testsupport/platform.h>
#include <testsupport/run_program.h>
#include <testsupport/temp_dir.h>

namespace {

class IncrementFromRepositoryTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    if (testsupport::OnWindows()) GTEST_SKIP() << "Wine runs no POSIX cvs";
    client_ = testsupport::RunProgram({"/bin/sh", "-c", "command -v cvs"}).out;
    while (!client_.empty() && client_.back() == '\n') client_.pop_back();
    if (client_.empty()) GTEST_SKIP() << "no cvs on PATH";
    // The header is written, imported into a new repository and checked out
    // below the project home.
    testsupport::MakeDirs(dir.file("import"));
    testsupport::MakeDirs(dir.file("home"));
    testsupport::MakeDirs(dir.file("tmp"));
    PAVersion record;
    record.SetPrefix("AB_VER");
    ASSERT_EQ(1, record.WriteHeader(dir.winPath("import\\abver.hpp").c_str()));
    Cvs({"-d", dir.file("repo"), "init"});
    Cvs({"-d", dir.file("repo"), "import", "-m", "start", "proj", "vendor", "start"}, "import");
    Cvs({"-d", dir.file("repo"), "checkout", "proj"}, "home");
    home_.reset(new testsupport::ScopedEnv("PHOME", dir.winPath("home")));
    temp_.reset(new testsupport::ScopedTempFolder(dir.file("tmp")));
  }
  void Cvs(const std::vector<std::string>& args, const std::string& in = "") {
    std::vector<std::string> argv = {client_, "-Q"};
    argv.insert(argv.end(), args.begin(), args.end());
    testsupport::RunResult result = testsupport::RunProgram(argv, in.empty() ? dir.path() : dir.file(in));
    ASSERT_EQ(0, result.exitCode) << result.err;
  }
  // The version after counting up from 1.2.3.4 by the scheme.
  std::string CountedUp(int scheme) {
    PAVersion record;
    EXPECT_EQ(1, record.ReadHeader(dir.winPath("home\\proj\\abver.hpp").c_str()));
    record.SetFormat(scheme);
    for (int i = 0; i < 4; ++i) record.SetNumber(i, i + 1);
    EXPECT_EQ(1, record.IncrementFromRepository());
    CString text;
    record.FormatVersion(text, '.');
    return std::string(text);
  }

  std::string client_;
  std::unique_ptr<testsupport::ScopedEnv> home_;
  std::unique_ptr<testsupport::ScopedTempFolder> temp_;
};

TEST_F(IncrementFromRepositoryTest, StickyTagDecidesWhichNumberMoves) {
  EXPECT_EQ("1.3.0.0", CountedUp(5));
  EXPECT_EQ("1.2.4.4", CountedUp(4));
  // Other schemes count up as Increment does.
  EXPECT_EQ("1.2.3.5", CountedUp(0));

  Cvs({"tag", "rel-1", "abver.hpp"}, "home/proj");
  Cvs({"update", "-r", "rel-1", "abver.hpp"}, "home/proj");
  EXPECT_EQ("1.2.4.0", CountedUp(5));
  EXPECT_EQ("1.2.3.5", CountedUp(4));
}

TEST_F(IncrementFromRepositoryTest, HeaderOutsideAWorkingCopyHasNoTag) {
  PAVersion record;
  ASSERT_EQ(1, record.WriteHeader(dir.winPath("home\\loose.hpp").c_str()));
  record.SetFormat(5);
  record.SetNumber(2, 7);
  record.SetNumber(3, 9);
  EXPECT_EQ(1, record.IncrementFromRepository());
  EXPECT_EQ(1, record.GetNumber(1));
  EXPECT_EQ(0, record.GetNumber(2));
  EXPECT_EQ(0, record.GetNumber(3));
}

}  // namespace
