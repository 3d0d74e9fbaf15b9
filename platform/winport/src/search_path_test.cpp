// SearchPathA: files found along a search path without regard to case, the
// extension appended to bare names, and Windows' buffer rules.
#include <string.h>
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "testsupport/files.h"
#include "testsupport/temp_dir.h"

namespace {

class SearchPathTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    testsupport::WriteBytes(dir.file("bin/Tool.exe"), "x");
    testsupport::WriteBytes(dir.file("here.txt"), "x");
  }
};

TEST_F(SearchPathTest, FindsNamesAlongTheGivenFoldersWithoutRegardToCase) {
  const std::string folders = dir.winPath("missing") + ";" + dir.winPath("bin");
  char buffer[MAX_PATH];
  LPSTR part = nullptr;
  DWORD length = SearchPathA(folders.c_str(), "TOOL.EXE", NULL, sizeof buffer, buffer, &part);
  ASSERT_NE(0u, length);
  EXPECT_EQ(strlen(buffer), length);
  EXPECT_EQ(0, _stricmp((dir.winPath("bin") + "\\TOOL.EXE").c_str(), buffer)) << buffer;
  EXPECT_EQ(0, _stricmp("TOOL.EXE", part));
  // The extension is added to a name without one, and only then.
  EXPECT_NE(0u, SearchPathA(folders.c_str(), "tool", ".exe", sizeof buffer, buffer, NULL));
  EXPECT_EQ(0u, SearchPathA(folders.c_str(), "tool.com", ".exe", sizeof buffer, buffer, NULL));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST_F(SearchPathTest, WithoutFoldersTheCurrentDirectoryIsSearched) {
  char buffer[MAX_PATH];
  DWORD length = SearchPathA(NULL, "HERE.TXT", NULL, sizeof buffer, buffer, NULL);
  ASSERT_NE(0u, length);
  EXPECT_EQ(0, _stricmp((dir.winPath() + "\\HERE.TXT").c_str(), buffer)) << buffer;
  EXPECT_EQ(0u, SearchPathA(NULL, "no-such-file-anywhere.xyz", NULL, sizeof buffer, buffer, NULL));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST_F(SearchPathTest, ATooSmallBufferGetsTheSizeNeeded) {
  char full[MAX_PATH];
  DWORD length = SearchPathA(NULL, "here.txt", NULL, sizeof full, full, NULL);
  ASSERT_NE(0u, length);
  char small[4] = "abc";
  EXPECT_EQ(length + 1, SearchPathA(NULL, "here.txt", NULL, sizeof small, small, NULL));
}

TEST(ShellFoldersTest, LocalApplicationDataIsAnExistingFolderWithoutTrailingBackslash) {
  testsupport::TempDir dir;
  char path[MAX_PATH];
  ASSERT_TRUE(SHGetSpecialFolderPathA(NULL, path, CSIDL_LOCAL_APPDATA, TRUE));
  const size_t length = strlen(path);
  ASSERT_GT(length, 0u);
  EXPECT_NE('\\', path[length - 1]);
  DWORD attributes = GetFileAttributesA(path);
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
  EXPECT_NE(0u, attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
