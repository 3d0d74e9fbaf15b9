// The C runtime's path and directory calls with the Windows runtime's results.
#include <direct.h>
#include <errno.h>
#include <io.h>
#include <stdlib.h>
#include <unistd.h>
#include <windows.h>

#include <string>
#include <vector>

#include "testsupport/files.h"
#include "testsupport/platform.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::Exists;
using testsupport::FileNames;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class CrtFilesTest : public testsupport::IsolatedTest {};

TEST_F(CrtFilesTest, FullpathResolvesDotsAgainstTheCurrentDirectory) {
  char buffer[_MAX_PATH];
  ASSERT_NE(nullptr, _fullpath(buffer, "a\\.\\B\\..\\c.txt", sizeof buffer));
  EXPECT_EQ(dir.winPath("a\\c.txt"), buffer);
  ASSERT_NE(nullptr, _fullpath(buffer, "Sub/Dir/", sizeof buffer));
  EXPECT_EQ(dir.winPath("Sub\\Dir\\"), buffer);  // case kept, trailing backslash kept
}

// Layer rule: POSIX has no drives; a path from the root, or with a drive,
// names the one root.
TEST_F(CrtFilesTest, FullpathOfRootedPathsHasNoDrive) {
  if (testsupport::OnWindows()) GTEST_SKIP() << testsupport::kLayerRule;
  char buffer[_MAX_PATH];
  ASSERT_NE(nullptr, _fullpath(buffer, "\\x\\..\\..\\y", sizeof buffer));
  EXPECT_STREQ("\\y", buffer);
  ASSERT_NE(nullptr, _fullpath(buffer, "c:\\Tools\\q.exe", sizeof buffer));
  EXPECT_STREQ("\\Tools\\q.exe", buffer);
  // Last names of dots and spaces go, however many there are: the full path
  // of a full path is itself.
  ASSERT_NE(nullptr, _fullpath(buffer, "\\a\\...\\\\. .", sizeof buffer));
  EXPECT_STREQ("\\a", buffer);
}

TEST_F(CrtFilesTest, FullpathRefusesABufferThatIsTooSmall) {
  std::string expected = dir.winPath("abc");
  std::string buffer(expected.size() + 1, 'x');
  EXPECT_EQ(nullptr, _fullpath(&buffer[0], "abc", expected.size()));
  if (!testsupport::RunningUnderWine()) {  // Wine's runtime leaves errno
    EXPECT_EQ(ERANGE, errno);
  }
  EXPECT_NE(nullptr, _fullpath(&buffer[0], "abc", expected.size() + 1));
}

TEST_F(CrtFilesTest, FullpathAllocatesWhenGivenNoBuffer) {
  char* full = _fullpath(nullptr, "x.txt", 0);
  ASSERT_NE(nullptr, full);
  EXPECT_EQ(dir.winPath("x.txt"), full);
  free(full);
}

TEST_F(CrtFilesTest, GetcwdAndChdirUseWindowsPaths) {
  ASSERT_EQ(0, _mkdir("Sub"));
  // As on Windows, the current directory keeps the names it was given.
  EXPECT_EQ(0, _chdir("SUB"));
  char buffer[_MAX_PATH];
  ASSERT_NE(nullptr, _getcwd(buffer, sizeof buffer));
  EXPECT_EQ(dir.winPath("SUB"), buffer);
  char* full = _fullpath(nullptr, "x.txt", 0);
  EXPECT_EQ(dir.winPath("SUB\\x.txt"), full);
  free(full);
  // A change that bypasses the layer gets the names the disk has.
  ASSERT_EQ(0, chdir(dir.path().c_str()));
  ASSERT_NE(nullptr, _getcwd(buffer, sizeof buffer));
  EXPECT_EQ(dir.winPath(), buffer);
  EXPECT_EQ(0, _chdir("SUB"));
  EXPECT_EQ(0, _chdir(".."));
  EXPECT_EQ(-1, _chdir("missing"));
  EXPECT_EQ(ENOENT, errno);
  EXPECT_EQ(nullptr, _getcwd(buffer, 3));
  EXPECT_EQ(ERANGE, errno);
}

// Layer rule: POSIX has no drives.
TEST_F(CrtFilesTest, SplitpathGivesAnEmptyDrive) {
  if (testsupport::OnWindows()) GTEST_SKIP() << testsupport::kLayerRule;
  char drive[_MAX_DRIVE], folder[_MAX_DIR], name[_MAX_FNAME], ext[_MAX_EXT];
  _splitpath("c:\\src\\Proj.v2\\main.tar.gz", drive, folder, name, ext);
  EXPECT_STREQ("", drive);
  EXPECT_STREQ("\\src\\Proj.v2\\", folder);
  EXPECT_STREQ("main.tar", name);
  EXPECT_STREQ(".gz", ext);
  _splitpath("noext", drive, folder, name, ext);
  EXPECT_STREQ("", folder);
  EXPECT_STREQ("noext", name);
  EXPECT_STREQ("", ext);
  _splitpath("/a/b.dir/file", nullptr, folder, name, nullptr);
  EXPECT_STREQ("/a/b.dir/", folder);
  EXPECT_STREQ("file", name);
}

// Layer rule: Windows' runtime would write past the buffers.
TEST_F(CrtFilesTest, SplitpathCutsPartsAtTheirLimits) {
  if (testsupport::OnWindows()) GTEST_SKIP() << testsupport::kLayerRule;
  std::string longName(400, 'n');
  char name[_MAX_FNAME];
  _splitpath(longName.c_str(), nullptr, nullptr, name, nullptr);
  EXPECT_EQ(std::string(_MAX_FNAME - 1, 'n'), name);
}

TEST_F(CrtFilesTest, MakepathJoinsAsTheWindowsRuntime) {
  char path[_MAX_PATH];
  _makepath(path, "", "\\src\\proj", "main", "sql");
  EXPECT_STREQ("\\src\\proj\\main.sql", path);
  _makepath(path, nullptr, "dir/", "a", ".txt");
  EXPECT_STREQ("dir/a.txt", path);
  _makepath(path, "c", nullptr, "a", nullptr);
  EXPECT_STREQ("c:a", path);
}

// Layer rule: Windows' runtime would write past the buffer.
TEST_F(CrtFilesTest, MakepathCutsAtTheBuffer) {
  if (testsupport::OnWindows()) GTEST_SKIP() << testsupport::kLayerRule;
  char path[_MAX_PATH];
  std::string longDir(300, 'd');
  _makepath(path, nullptr, longDir.c_str(), "a", "b");
  EXPECT_EQ(static_cast<size_t>(_MAX_PATH - 1), strlen(path));
}

TEST_F(CrtFilesTest, AccessTellsExistenceAndTheReadOnlyAttribute) {
  WriteBytes(dir.file("Ro.txt"), "x");
  ASSERT_TRUE(SetFileAttributesA("Ro.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(0, _access("ro.TXT", 0));
  EXPECT_EQ(0, _access("ro.txt", 4));
  EXPECT_EQ(-1, _access("ro.txt", 2));
  EXPECT_EQ(EACCES, errno);
  EXPECT_EQ(-1, _access("none.txt", 0));
  EXPECT_EQ(ENOENT, errno);
  EXPECT_EQ(0, _access(".", 6));
}

TEST_F(CrtFilesTest, UnlinkRefusesReadOnlyFilesAndDirectories) {
  WriteBytes(dir.file("Ro.txt"), "x");
  ASSERT_TRUE(SetFileAttributesA("Ro.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(-1, _unlink("ro.txt"));
  EXPECT_EQ(EACCES, errno);
  EXPECT_TRUE(Exists(dir.file("Ro.txt")));
  ASSERT_EQ(0, _mkdir("Folder"));
  EXPECT_EQ(-1, _unlink("folder"));
  EXPECT_EQ(EACCES, errno);
  WriteBytes(dir.file("Rw.txt"), "x");
  EXPECT_EQ(0, _unlink("RW.TXT"));
  EXPECT_FALSE(Exists(dir.file("Rw.txt")));
  EXPECT_EQ(-1, _unlink("Rw.txt"));
  EXPECT_EQ(ENOENT, errno);
}

TEST_F(CrtFilesTest, MkdirAndRmdirReportWindowsErrors) {
  EXPECT_EQ(0, _mkdir("New"));
  EXPECT_EQ(-1, _mkdir("new"));
  EXPECT_EQ(EEXIST, errno);
  EXPECT_EQ(-1, _mkdir("missing\\child"));
  EXPECT_EQ(ENOENT, errno);
  WriteBytes(dir.file("New/f"), "x");
  EXPECT_EQ(-1, _rmdir("NEW"));
  EXPECT_EQ(ENOTEMPTY, errno);
  EXPECT_EQ(-1, _rmdir("new\\f"));
  EXPECT_EQ(EINVAL, errno);  // a file is no folder
  ASSERT_EQ(0, _unlink("new\\f"));
  EXPECT_EQ(0, _rmdir("NEW"));
}

TEST_F(CrtFilesTest, RenameNeverReplacesAnExistingTarget) {
  WriteBytes(dir.file("a.txt"), "a");
  WriteBytes(dir.file("B.txt"), "b");
  EXPECT_EQ(-1, rename("A.TXT", "b.txt"));
  EXPECT_EQ(EEXIST, errno);
  EXPECT_EQ("b", ReadBytes(dir.file("B.txt")));
  EXPECT_EQ(0, rename("A.TXT", "c.txt"));
  EXPECT_EQ("a", ReadBytes(dir.file("c.txt")));
  EXPECT_EQ(-1, rename("a.txt", "d.txt"));
  EXPECT_EQ(ENOENT, errno);
}

TEST_F(CrtFilesTest, RenameCanChangeTheCaseOfAName) {
  if (testsupport::RunningUnderWine()) GTEST_SKIP() << "Wine keeps the old case (docs/windows-build.md)";
  WriteBytes(dir.file("name.txt"), "n");
  EXPECT_EQ(0, rename("name.txt", "NAME.TXT"));
  EXPECT_EQ(std::vector<std::string>{"NAME.TXT"}, FileNames(dir.path()));
}

TEST(CrtStrings, CompareWithoutRegardToCase) {
  EXPECT_EQ(0, _stricmp("Hello", "hELLO"));
  EXPECT_LT(_stricmp("abc", "ABD"), 0);
  EXPECT_GT(_stricmp("b", "A"), 0);
  EXPECT_LT(_stricmp("_", "a"), 0);  // compared in lower case, as the Windows runtime does
  EXPECT_EQ(0, _strnicmp("abcX", "ABCy", 3));
  char text[] = "MiXed 1";
  EXPECT_STREQ("mixed 1", _strlwr(text));
  EXPECT_STREQ("MIXED 1", _strupr(text));
}

TEST(CrtStrings, SnprintfReportsTruncationWithMinusOne) {
  char buffer[8];
  memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(3, _snprintf(buffer, sizeof buffer, "%d", 123));
  EXPECT_STREQ("123", buffer);
  EXPECT_EQ(-1, _snprintf(buffer, 4, "%s", "abcdef"));
  EXPECT_EQ(0, memcmp(buffer, "abcd", 4));  // no terminator when it does not fit
  EXPECT_EQ(4, _snprintf(buffer, 4, "%s", "wxyz"));
  EXPECT_EQ(0, memcmp(buffer, "wxyz", 4));
}

}  // namespace
