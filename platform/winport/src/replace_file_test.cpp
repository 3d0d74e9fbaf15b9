// ReplaceFileA: a completely written file takes another's place.
#include <windows.h>

#include <string>
#include <vector>

#include "testsupport/files.h"
#include "testsupport/platform.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::FileNames;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class ReplaceFileTest : public testsupport::IsolatedTest {
 protected:
  // Full paths: Wine takes a bare file name for a folder (docs/windows-build.md).
  bool Replace(const char* replaced, const char* replacement, const char* backup = nullptr) {
    return ReplaceFileA(dir.winPath(replaced).c_str(), dir.winPath(replacement).c_str(),
                        backup ? dir.winPath(backup).c_str() : nullptr, 0, nullptr, nullptr) != FALSE;
  }
};

TEST_F(ReplaceFileTest, NewContentUnderTheOldName) {
  WriteBytes(dir.file("Settings.INI"), "old");
  WriteBytes(dir.file("new.tmp"), "new content");
  ASSERT_TRUE(Replace("settings.ini", "new.tmp"));
  EXPECT_EQ("new content", ReadBytes(dir.file("Settings.INI")));
  const std::vector<std::string> names = FileNames(dir.path());
  ASSERT_EQ(1u, names.size());  // one file, under the old name
  EXPECT_EQ(0, lstrcmpiA("settings.ini", names[0].c_str()));
}

TEST_F(ReplaceFileTest, BareNamesAreInTheCurrentFolder) {
  if (testsupport::RunningUnderWine()) GTEST_SKIP() << "Wine takes a bare file name for a folder (docs/windows-build.md)";
  WriteBytes(dir.file("a.ini"), "old");
  WriteBytes(dir.file("new.tmp"), "new");
  ASSERT_TRUE(ReplaceFileA("a.ini", "new.tmp", nullptr, 0, nullptr, nullptr));
  EXPECT_EQ("new", ReadBytes(dir.file("a.ini")));
}

TEST_F(ReplaceFileTest, FailuresLeaveBothFiles) {
  WriteBytes(dir.file("new.tmp"), "new");
  EXPECT_FALSE(Replace("missing.ini", "new.tmp"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
  EXPECT_FALSE(Replace("nofolder\\x.ini", "new.tmp"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());

  if (!testsupport::RunningUnderWine()) {  // Wine run as root replaces a read-only file
    WriteBytes(dir.file("locked.ini"), "old");
    ASSERT_TRUE(SetFileAttributesA("locked.ini", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(Replace("locked.ini", "new.tmp"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_UNABLE_TO_REMOVE_REPLACED), GetLastError());
    EXPECT_EQ("old", ReadBytes(dir.file("locked.ini")));
    SetFileAttributesA("locked.ini", FILE_ATTRIBUTE_NORMAL);
  }

  WriteBytes(dir.file("open.ini"), "old");
  HANDLE h = CreateFileA("open.ini", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_FALSE(Replace("open.ini", "new.tmp"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
  CloseHandle(h);
  EXPECT_EQ("old", ReadBytes(dir.file("open.ini")));
  EXPECT_EQ("new", ReadBytes(dir.file("new.tmp")));
}

// Layer rule: no backup copy is made; asking for one is refused.
TEST_F(ReplaceFileTest, BackupIsRefused) {
  if (testsupport::OnWindows()) GTEST_SKIP() << testsupport::kLayerRule;
  WriteBytes(dir.file("a.ini"), "old");
  WriteBytes(dir.file("new.tmp"), "new");
  EXPECT_FALSE(Replace("a.ini", "new.tmp", "backup.ini"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
  EXPECT_EQ("old", ReadBytes(dir.file("a.ini")));
}

}  // namespace
