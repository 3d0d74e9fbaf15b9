// What a profile write keeps of the file on POSIX: its permissions, and the
// file a link points to.
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include <gtest/gtest.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

namespace {

class ProfilePosixTest : public testsupport::IsolatedTest {};

TEST_F(ProfilePosixTest, WriteKeepsPermissions) {
  const std::string file = dir.file("perm.ini");
  testsupport::WriteBytes(file, "[s]\r\na=1\r\n");
  ASSERT_EQ(0, chmod(file.c_str(), 0640));
  EXPECT_TRUE(WritePrivateProfileStringA("s", "a", "2", dir.winPath("perm.ini").c_str()));
  struct stat st;
  ASSERT_EQ(0, stat(file.c_str(), &st));
  EXPECT_EQ(0640u, st.st_mode & 07777);
}

TEST_F(ProfilePosixTest, WriteThroughALinkChangesTheFileItPointsTo) {
  const std::string target = dir.file("real.ini");
  testsupport::WriteBytes(target, "[s]\r\na=1\r\n");
  ASSERT_EQ(0, symlink(target.c_str(), dir.file("link.ini").c_str()));
  EXPECT_TRUE(WritePrivateProfileStringA("s", "a", "2", dir.winPath("link.ini").c_str()));
  struct stat st;
  ASSERT_EQ(0, lstat(dir.file("link.ini").c_str(), &st));
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ("[s]\r\na=2\r\n", testsupport::ReadBytes(target));
}

}  // namespace
