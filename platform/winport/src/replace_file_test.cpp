// ReplaceFileA: a completely written file takes another's place.
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "testsupport/files.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::Exists;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class ReplaceFileTest : public testsupport::IsolatedTest {};

TEST_F(ReplaceFileTest, NewContentUnderTheOldName) {
  WriteBytes(dir.file("Settings.INI"), "old");
  WriteBytes(dir.file("new.tmp"), "new content");
  ASSERT_TRUE(ReplaceFileA("settings.ini", "new.tmp", nullptr, 0, nullptr, nullptr));
  EXPECT_EQ("new content", ReadBytes(dir.file("Settings.INI")));
  EXPECT_FALSE(Exists(dir.file("settings.ini")));
  EXPECT_FALSE(Exists(dir.file("new.tmp")));
}

TEST_F(ReplaceFileTest, FailuresLeaveBothFiles) {
  WriteBytes(dir.file("new.tmp"), "new");
  EXPECT_FALSE(ReplaceFileA("missing.ini", "new.tmp", nullptr, 0, nullptr, nullptr));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
  EXPECT_FALSE(ReplaceFileA("nofolder\\x.ini", "new.tmp", nullptr, 0, nullptr, nullptr));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());

  WriteBytes(dir.file("locked.ini"), "old");
  ASSERT_TRUE(SetFileAttributesA("locked.ini", FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(ReplaceFileA("locked.ini", "new.tmp", nullptr, 0, nullptr, nullptr));
  EXPECT_EQ(static_cast<DWORD>(ERROR_UNABLE_TO_REMOVE_REPLACED), GetLastError());
  EXPECT_EQ("old", ReadBytes(dir.file("locked.ini")));
  SetFileAttributesA("locked.ini", FILE_ATTRIBUTE_NORMAL);

  WriteBytes(dir.file("open.ini"), "old");
  HANDLE h = CreateFileA("open.ini", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_FALSE(ReplaceFileA("open.ini", "new.tmp", nullptr, 0, nullptr, nullptr));
  EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
  CloseHandle(h);
  EXPECT_EQ("old", ReadBytes(dir.file("open.ini")));
  EXPECT_EQ("new", ReadBytes(dir.file("new.tmp")));

  EXPECT_FALSE(ReplaceFileA("open.ini", "new.tmp", "backup.ini", 0, nullptr, nullptr));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

// POSIX only: the permission bits and links that Windows has no word for.
TEST_F(ReplaceFileTest, PosixKeepsPermissionsAndFollowsLinks) {
  WriteBytes(dir.file("shared.ini"), "old");
  ASSERT_EQ(0, chmod(dir.file("shared.ini").c_str(), 0640));
  WriteBytes(dir.file("new.tmp"), "new");
  ASSERT_EQ(0, chmod(dir.file("new.tmp").c_str(), 0600));
  ASSERT_EQ(0, symlink("shared.ini", dir.file("link.ini").c_str()));
  ASSERT_TRUE(ReplaceFileA("link.ini", "new.tmp", nullptr, REPLACEFILE_WRITE_THROUGH, nullptr, nullptr));
  struct stat st;
  ASSERT_EQ(0, lstat(dir.file("link.ini").c_str(), &st));
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(0, stat(dir.file("shared.ini").c_str(), &st));
  EXPECT_EQ(0640u, st.st_mode & 07777);
  EXPECT_EQ("new", ReadBytes(dir.file("shared.ini")));
}

}  // namespace
