// ReplaceFileA on POSIX: the permission bits and links that Windows has no
// word for.
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "testsupport/files.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

class ReplaceFilePosixTest : public testsupport::IsolatedTest {};

TEST_F(ReplaceFilePosixTest, KeepsPermissionsAndFollowsLinks) {
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
