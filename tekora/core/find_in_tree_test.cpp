// PAFindFileInTree and PAFindDirectoryInTree on a project tree in a
// temporary folder.
#include <direct.h>
#include <stdio.h>

#include <string>

#include <tekora/tekora.h>
#include <testsupport/environment.h>
#include <testsupport/files.h>
#include <testsupport/platform.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::MakeDirs;
using testsupport::WriteBytes;

struct Search {
  int result;
  std::string name;
  std::string printed;  // what went to standard output
};

// The tree: home/a/b is where the searches start; the working directory is
// the test's folder, outside the home directory.
class FindInTreeTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    MakeDirs(dir.file("home/a/b"));
    MakeDirs(dir.file("home/a/x"));
    home_.reset(new testsupport::ScopedEnv("PHOME", dir.winPath("home")));
    start_ = dir.winPath("home\\a\\b");
  }

  std::string Cwd() {
    char buffer[MAX_PATH];
    return _getcwd(buffer, MAX_PATH) ? buffer : "";
  }

  Search File(const std::string& name) { return FileFrom(start_.c_str(), name); }

  Search FileFrom(LPCSTR start, const std::string& name) {
    CString text = name.c_str();
    const std::string before = Cwd();
    testing::internal::CaptureStdout();
    const int result = PAFindFileInTree(start, text);
    fflush(stdout);
    Search search{result, std::string(text), testing::internal::GetCapturedStdout()};
    EXPECT_EQ(before, Cwd()) << "the working directory changed";
    return search;
  }

  Search Directory(const std::string& name, LPCSTR start) {
    CString text = name.c_str();
    const std::string before = Cwd();
    const int result = PAFindDirectoryInTree(start, text);
    EXPECT_EQ(before, Cwd()) << "the working directory changed";
    return {result, std::string(text), ""};
  }

  std::unique_ptr<testsupport::ScopedEnv> home_;
  std::string start_;
};

// Each test asks for names of its own: the not-found list lasts as long as
// the process.
TEST_F(FindInTreeTest, FindsBelowTheStartThenBesideItAsARelativeLowerCasePath) {
  WriteBytes(dir.file("home/a/b/sub/Own.h"), "");
  WriteBytes(dir.file("home/a/x/F1.H"), "");
  WriteBytes(dir.file("home/Top1.h"), "");

  Search below = File("own.H");
  EXPECT_EQ(1, below.result);
  EXPECT_EQ(".\\sub\\own.h", below.name);
  EXPECT_EQ("Searching file: own.h\r\n", below.printed);

  Search beside = File("F1.H");
  EXPECT_EQ(1, beside.result);
  EXPECT_EQ("..\\x\\f1.h", beside.name);
  EXPECT_EQ("Searching file: f1.h\r\n", beside.printed);

  EXPECT_EQ("..\\..\\top1.h", File("top1.h").name);
  // Without a start the working directory is the start.
  ASSERT_EQ(0, _chdir("home\\a\\x"));
  EXPECT_EQ("..\\b\\sub\\own.h", FileFrom(nullptr, "OWN.h").name);
  EXPECT_EQ("..\\b\\sub\\own.h", FileFrom("", "own.h").name);
}

TEST_F(FindInTreeTest, AMissingNameIsRememberedForTheRestOfTheProcess) {
  Search first = File("late1.h");
  EXPECT_EQ(0, first.result);
  EXPECT_EQ("late1.h", first.name);
  EXPECT_EQ("Searching file: late1.h\r\n", first.printed);

  WriteBytes(dir.file("home/a/b/late1.h"), "");
  Search again = File("LATE1.h");
  EXPECT_EQ(0, again.result);
  EXPECT_EQ("Searching file: late1.h\r\n", again.printed);

  // A start that cannot be entered counts as not found too.
  EXPECT_EQ(0, FileFrom(dir.winPath("nowhere").c_str(), "gone1.h").result);
  WriteBytes(dir.file("home/a/b/gone1.h"), "");
  EXPECT_EQ(0, File("gone1.h").result);
}

TEST_F(FindInTreeTest, NamesWithAnAtSignAreNeverSearched) {
  WriteBytes(dir.file("home/a/b/v@1.h"), "");
  Search search = File("V@1.h");
  EXPECT_EQ(0, search.result);
  EXPECT_EQ("v@1.h", search.name);
  EXPECT_EQ("", search.printed);
}

TEST_F(FindInTreeTest, VersionControlFoldersAreNeverEntered) {
  WriteBytes(dir.file("home/a/b/CVS/cvs1.h"), "");
  WriteBytes(dir.file("home/a/x/Attic/cvs1.h"), "");
  WriteBytes(dir.file("home/a/cvs/cvs2"), "");
  EXPECT_EQ(0, File("cvs1.h").result);
  EXPECT_EQ(0, Directory("cvs2", start_.c_str()).result);
}

TEST_F(FindInTreeTest, TheSearchUpStopsAtTheHomeDirectory) {
  WriteBytes(dir.file("outside1.h"), "");
  EXPECT_EQ(0, File("outside1.h").result);

  // Without a home directory it goes on towards the top of the drive.
  home_.reset();
  testsupport::UnsetEnv("PHOME");
  WriteBytes(dir.file("outside2.h"), "");
  EXPECT_EQ("..\\..\\..\\outside2.h", File("outside2.h").name);
  testsupport::ScopedEnv notADirectory("PHOME", dir.winPath("outside2.h"));
  WriteBytes(dir.file("outside3.h"), "");
  EXPECT_EQ("..\\..\\..\\outside3.h", File("outside3.h").name);
}

TEST_F(FindInTreeTest, LinksToFoldersAreNotFollowed) {
  WriteBytes(dir.file("elsewhere/linked1.h"), "");
  if (!testsupport::MakeDirectoryLink(dir.file("home"), dir.file("home/a/b/loop")) ||
      !testsupport::MakeDirectoryLink(dir.file("home"), dir.file("home/a/x/loop")) ||
      !testsupport::MakeDirectoryLink(dir.file("elsewhere"), dir.file("home/a/out")))
    GTEST_SKIP() << "no symbolic links here";
  // Two links back up the tree would make a walk that follows them endless.
  EXPECT_EQ(0, File("nowhere1.h").result);
  EXPECT_EQ(0, File("linked1.h").result);
  EXPECT_EQ(0, Directory("nothere", start_.c_str()).result);
}

TEST_F(FindInTreeTest, DirectoriesAreFoundTheSameWay) {
  MakeDirs(dir.file("home/a/x/Inc"));
  Search found = Directory("INC", start_.c_str());
  EXPECT_EQ(1, found.result);
  EXPECT_EQ("..\\x\\inc", found.name);
  // A file of that name is no directory; nothing is remembered either.
  WriteBytes(dir.file("home/a/b/plain"), "");
  EXPECT_EQ(0, Directory("plain", start_.c_str()).result);
  MakeDirs(dir.file("home/a/plain"));
  EXPECT_EQ("..\\plain", Directory("plain", start_.c_str()).name);

  EXPECT_EQ(0, Directory("missing", start_.c_str()).result);
  MakeDirs(dir.file("home/missing"));
  EXPECT_EQ("..\\..\\missing", Directory("missing", start_.c_str()).name);

  Search dots = Directory("..", nullptr);
  EXPECT_EQ(1, dots.result);
  EXPECT_EQ("..", dots.name);
  EXPECT_EQ(".", Directory(".", "nowhere").name);
}

TEST_F(FindInTreeTest, NamesPastTheSystemsLimitAreNotFound) {
  EXPECT_EQ(0, File(std::string(300, 'f')).result);
  EXPECT_EQ(0, Directory(std::string(300, 'd'), start_.c_str()).result);
}

// A plain name is looked up only in folders whose listing may hold it; a
// name that is not plain (".\name") is looked up in every folder. Both find
// the same entry on a generated tree, whatever the case of the names on disk
// (on POSIX two entries may differ in case only: the lookup takes the one
// written as asked, else the first in byte order).
TEST_F(FindInTreeTest, APlainNameFindsWhatALookupInEveryFolderFinds) {
  const bool collide = !testsupport::OnWindows();
  unsigned seed = 77;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
  auto recased = [&next](std::string name) {
    for (char& c : name)
      if (isalpha(static_cast<unsigned char>(c)) && next() % 2) c = static_cast<char>(c ^ 0x20);
    return name;
  };
  const char* const folders[] = {"home/a/b/s1", "home/a/b/s1/t", "home/a/b/S2", "home/a/x", "home/a/x/y",
                                 "home/c", "home/c/cvs", "home/c/d"};
  for (const char* folder : folders) MakeDirs(dir.file(folder));
  for (int k = 0; k < 12; ++k) {
    const std::string name = "g" + std::to_string(k) + ".h";
    for (int copies = next() % 3; copies > 0; --copies) {
      const std::string folder = folders[next() % (sizeof folders / sizeof *folders)];
      std::string written = recased(name);
      if (!collide && testsupport::Exists(dir.file(folder + "/" + name))) continue;
      WriteBytes(dir.file(folder + "/" + written), "");
      if (collide && next() % 2) WriteBytes(dir.file(folder + "/" + recased(name)), "");
    }
    for (const std::string start : {"home\\a\\b", "home\\a\\x\\y", "home\\c\\d"}) {
      SCOPED_TRACE(start + ": " + name);
      Search plain = FileFrom(dir.winPath(start).c_str(), name);
      Search everywhere = FileFrom(dir.winPath(start).c_str(), ".\\" + name);
      EXPECT_EQ(everywhere.result, plain.result);
      std::string looked = everywhere.name;
      for (size_t dot; (dot = looked.find("\\.\\")) != std::string::npos;) looked.erase(dot, 2);
      EXPECT_EQ(plain.result ? looked : name, plain.name);
    }
  }
}

}  // namespace
