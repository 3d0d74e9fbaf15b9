// GetTempPathA and GetTempFileNameA.
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include <set>
#include <string>

#include "testsupport/environment.h"
#include "testsupport/files.h"
#include "testsupport/platform.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::Exists;
using testsupport::ReadBytes;

class TempFilesTest : public testsupport::IsolatedTest {
 protected:
  testsupport::ScopedTempFolder temp{dir.path()};
};

TEST_F(TempFilesTest, TempPathIsTheTemporaryFolderInBackslashFormWithTrailingBackslash) {
  char buffer[MAX_PATH];
  std::string expected = dir.winPath() + "\\";
  EXPECT_EQ(expected.size(), GetTempPathA(sizeof buffer, buffer));
  EXPECT_EQ(expected, buffer);
  EXPECT_EQ(expected.size() + 1, GetTempPathA(3, buffer));
}

// Layer rule: without TMPDIR the temporary folder is the system's /tmp.
TEST_F(TempFilesTest, TempPathWithoutTmpdirIsTmp) {
  if (testsupport::OnWindows()) GTEST_SKIP() << testsupport::kLayerRule;
  testsupport::UnsetEnv("TMPDIR");
  char buffer[MAX_PATH];
  GetTempPathA(sizeof buffer, buffer);
  EXPECT_STREQ("\\tmp\\", buffer);
}

TEST_F(TempFilesTest, TempFileNameCreatesAnEmptyFile) {
  char path[MAX_PATH];
  ASSERT_NE(0u, GetTempPathA(sizeof path, path));
  char name[MAX_PATH];
  UINT number = GetTempFileNameA(path, "VXKLONG", 0, name);
  ASSERT_NE(0u, number);
  char digits[16];
  snprintf(digits, sizeof digits, "%X", number);
  // The case of the name does not count on Windows (Wine writes "VXKa6e4.tmp").
  const std::string expected = std::string(path) + "VXK" + digits + ".TMP";
  EXPECT_EQ(0, lstrcmpiA(expected.c_str(), name)) << name;
  const std::string created = dir.file(strrchr(name, '\\') + 1);
  ASSERT_TRUE(Exists(created));
  EXPECT_EQ("", ReadBytes(created));
}

TEST_F(TempFilesTest, EveryCallGetsAFreshFile) {
  std::set<std::string> names;
  for (int i = 0; i < 50; ++i) {
    char name[MAX_PATH];
    ASSERT_NE(0u, GetTempFileNameA(dir.winPath().c_str(), "t", 0, name));
    names.insert(name);
  }
  EXPECT_EQ(50u, names.size());
}

TEST_F(TempFilesTest, TakenNamesAreSkipped) {
  char name[MAX_PATH];
  UINT first = GetTempFileNameA(".", "x", 0, name);
  ASSERT_NE(0u, first);
  // Occupy the next numbers; the search must step over them.
  for (UINT n = first; n < first + 5; ++n) {
    char taken[MAX_PATH];
    GetTempFileNameA(".", "x", n == 0xFFFF ? 1 : n, taken);
    FILE* f = fopen(taken, "wb");
    if (f) fclose(f);
  }
  UINT second = GetTempFileNameA(".", "x", 0, name);
  EXPECT_NE(0u, second);
}

TEST_F(TempFilesTest, NonZeroUniqueOnlyFormsTheName) {
  if (testsupport::RunningUnderWine()) GTEST_SKIP() << "Wine wants the folder to exist (docs/windows-build.md)";
  char name[MAX_PATH];
  EXPECT_EQ(0x1a2bu, GetTempFileNameA("c:\\some\\where", "abc", 0x1a2b, name));
  EXPECT_STREQ("c:\\some\\where\\abc1A2B.TMP", name);
  EXPECT_FALSE(Exists("/some/where/abc1A2B.TMP"));
}

TEST_F(TempFilesTest, MissingFolderFails) {
  char name[MAX_PATH];
  EXPECT_EQ(0u, GetTempFileNameA("no\\such\\folder", "pre", 0, name));
  EXPECT_EQ(static_cast<DWORD>(ERROR_DIRECTORY), GetLastError());
}

}  // namespace
