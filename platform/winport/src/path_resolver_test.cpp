// Windows paths on POSIX: separators, drive prefixes and names found without
// regard to case, through the calls that callers use.
#include <errno.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <windows.h>

#include <string>
#include <vector>

#include "folder_index.h"
#include "path_resolver.h"
#include "testsupport/files.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::Exists;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class PathResolverTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(0, mkdir(dir.file("Proj").c_str(), 0777));
    WriteBytes(dir.file("Proj/A.SQL"), "select 1;");
  }
  std::string ReadThroughLayer(const std::string& path) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return "<cannot open>";
    char buffer[256];
    size_t n = fread(buffer, 1, sizeof buffer, f);
    fclose(f);
    return std::string(buffer, n);
  }
};

TEST_F(PathResolverTest, OpensAbsoluteWindowsPathWithoutRegardToCase) {
  EXPECT_EQ("select 1;", ReadThroughLayer(dir.winPath("proj\\a.sql")));
}

TEST_F(PathResolverTest, OpensRelativePathsWithEitherSeparator) {
  EXPECT_EQ("select 1;", ReadThroughLayer("proj\\a.sql"));
  EXPECT_EQ("select 1;", ReadThroughLayer("PROJ/a.Sql"));
  EXPECT_EQ("select 1;", ReadThroughLayer(".\\proj\\..\\Proj\\.\\a.sql"));
}

TEST_F(PathResolverTest, DrivePrefixNamesTheRoot) {
  EXPECT_EQ("select 1;", ReadThroughLayer("c:" + dir.winPath("proj\\a.sql")));
  EXPECT_EQ("select 1;", ReadThroughLayer("C:" + dir.path() + "/PROJ/A.sql"));
}

TEST_F(PathResolverTest, ExactMatchWinsOverOtherCases) {
  WriteBytes(dir.file("Proj/a.sql"), "lower");
  EXPECT_EQ("lower", ReadThroughLayer("proj\\a.sql"));
  EXPECT_EQ("select 1;", ReadThroughLayer("proj\\A.SQL"));
}

TEST_F(PathResolverTest, SeveralMatchesTakeTheFirstInByteOrder) {
  WriteBytes(dir.file("Proj/a.Sql"), "second");
  EXPECT_EQ("select 1;", ReadThroughLayer("proj\\a.sql"));  // "A.SQL" < "a.Sql"
}

TEST_F(PathResolverTest, WritingKeepsTheCaseOfAnExistingEntry) {
  FILE* f = fopen("proj\\a.sql", "w");
  ASSERT_NE(nullptr, f);
  fputs("replaced\n", f);
  fclose(f);
  EXPECT_EQ("replaced\r\n", ReadBytes(dir.file("Proj/A.SQL")));
  EXPECT_FALSE(Exists(dir.file("Proj/a.sql")));
}

TEST_F(PathResolverTest, NewFileGetsTheNameAsGiven) {
  FILE* f = fopen("PROJ\\New.Sql", "w");
  ASSERT_NE(nullptr, f);
  fclose(f);
  EXPECT_TRUE(Exists(dir.file("Proj/New.Sql")));
}

TEST_F(PathResolverTest, MissingFileAndMissingFolderGiveTheirOwnErrors) {
  EXPECT_EQ(INVALID_HANDLE_VALUE,
            CreateFileA("proj\\none.sql", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
  EXPECT_EQ(INVALID_HANDLE_VALUE,
            CreateFileA("nofolder\\a.sql", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
  EXPECT_EQ(nullptr, fopen("nofolder\\a.sql", "r"));
  EXPECT_EQ(ENOENT, errno);
}

TEST_F(PathResolverTest, CreatingInAMissingFolderFails) {
  EXPECT_EQ(nullptr, fopen("nofolder\\a.sql", "w"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
}

}  // namespace

namespace {

// The plain way: every component taken as written when it exists, else the
// first entry in byte order that matches it without regard to case.
std::string ResolvedOneByOne(const std::string& root, const std::vector<std::string>& names) {
  std::string current = root;
  for (const std::string& name : names) {
    struct stat st;
    std::string next = current + "/" + name;
    if (lstat(next.c_str(), &st) != 0) {
      const std::string match = winport::ScanIgnoringCase(current, name);
      next = current + "/" + (match.empty() ? name : match);
    }
    current = next;
  }
  return current;
}

// Paths where one component differs in case and the rest are written as on
// disk, differ in case too, or are missing, against the plain way.
TEST_F(PathResolverTest, ComponentsAfterACaseMismatchResolveAsOneByOne) {
  for (const char* folder : {"Proj/Sub", "Proj/sub", "Proj/Sub/Deep", "Proj/Sub/deep", "Proj/sub/Deep", "Proj/Sub/Deep/End"})
    ASSERT_EQ(0, mkdir(dir.file(folder).c_str(), 0777)) << folder;
  WriteBytes(dir.file("Proj/Sub/Deep/End/f.txt"), "x");
  const std::vector<std::vector<std::string>> paths = {
      {"proj", "Sub", "Deep", "End", "f.txt"}, {"proj", "SUB", "Deep", "End", "f.txt"},
      {"proj", "Sub", "DEEP", "end", "F.TXT"}, {"proj", "sub", "Deep"},
      {"proj", "Sub", "Deep", "Gone", "f.txt"}, {"PROJ", "sub", "deep", "end"},
      {"proj", "Sub", "deep", "End", "f.txt"}};
  for (const std::vector<std::string>& names : paths) {
    std::string windowsPath = dir.path();
    for (const std::string& name : names) windowsPath += "\\" + name;
    EXPECT_EQ(ResolvedOneByOne(dir.path(), names), winport::ResolvePath(windowsPath.c_str()).posix) << windowsPath;
  }
}

// A walk takes a known case step again while nothing has changed in its
// folder. Variants of the stepped names appear, go and are renamed there,
// by plain system calls and by another process, between the walks: each
// walk must resolve as the plain way does.
TEST_F(PathResolverTest, KnownCaseStepsFollowChangesInTheirFolder) {
  ASSERT_EQ(0, mkdir(dir.file("Top").c_str(), 0777));
  auto make = [this](const std::string& variant) {
    mkdir(dir.file("Top/" + variant).c_str(), 0777);
    mkdir(dir.file("Top/" + variant + "/Sub").c_str(), 0777);
    WriteBytes(dir.file("Top/" + variant + "/Sub/f.txt"), variant);
  };
  auto drop = [this](const std::string& variant) {
    std::remove(dir.file("Top/" + variant + "/Sub/f.txt").c_str());
    rmdir(dir.file("Top/" + variant + "/Sub").c_str());
    rmdir(dir.file("Top/" + variant).c_str());
  };
  make("Proj");
  // A name that is mostly missing in any case: its absence is a step too.
  ASSERT_EQ(0, mkdir(dir.file("Other").c_str(), 0777));
  const std::vector<std::string> otherNames = {"Other", "settings", "f.ini"};
  const std::string otherPath = dir.path() + "\\Other\\settings\\f.ini";
  const std::vector<std::string> variants = {"PROJ", "Proj", "pRoj", "proj"};
  const std::vector<std::string> names = {"Top", "proj", "sub", "f.txt"};
  const std::string windowsPath = dir.path() + "\\Top\\proj\\sub\\f.txt";
  unsigned seed = 2024;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
  for (int step = 0; step < 150; ++step) {
    const std::string variant = variants[next() % variants.size()];
    const std::string other = variants[next() % variants.size()];
    const bool exists = Exists(dir.file("Top/" + variant));
    switch (next() % 3) {
      case 0:  // this process, by plain system calls
        exists ? drop(variant) : make(variant);
        break;
      case 1: {  // another process
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
          exists ? drop(variant) : make(variant);
          _exit(0);
        }
        int status = 0;
        ASSERT_EQ(child, waitpid(child, &status, 0));
        break;
      }
      default:
        if (exists && !Exists(dir.file("Top/" + other)))
          rename(dir.file("Top/" + variant).c_str(), dir.file("Top/" + other).c_str());
    }
    SCOPED_TRACE(testing::Message() << "step " << step);
    for (int again = 0; again < 2; ++again) {
      EXPECT_EQ(ResolvedOneByOne(dir.path(), names), winport::ResolvePath(windowsPath.c_str()).posix);
      // A path through another folder, whose step is kept beside the first.
      EXPECT_EQ(ResolvedOneByOne(dir.path(), otherNames), winport::ResolvePath(otherPath.c_str()).posix);
    }
    if (next() % 4 == 0) {
      const std::string settings = dir.file(next() % 2 ? "Other/Settings" : "Other/SETTINGS");
      Exists(settings) ? static_cast<void>(rmdir(settings.c_str())) : static_cast<void>(mkdir(settings.c_str(), 0777));
    }
  }
}

}  // namespace
