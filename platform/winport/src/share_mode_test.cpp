// Share modes: opens honour each other's denials, as on Windows.
#include <errno.h>
#include <io.h>
#include <share.h>
#include <windows.h>

#include <string>

#include "testsupport/files.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::Exists;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class ShareModeTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override { WriteBytes(dir.file("data.txt"), "keep me\r\n"); }

  HANDLE Open(DWORD access, DWORD share, DWORD disposition = OPEN_EXISTING) {
    return CreateFileA("data.txt", access, share, nullptr, disposition, 0, nullptr);
  }
};

TEST_F(ShareModeTest, DenyWriteRefusesWritersAndLetsReadersIn) {
  FILE* holder = _fsopen("data.txt", "r", _SH_DENYWR);
  ASSERT_NE(nullptr, holder);
  EXPECT_EQ(nullptr, fopen("DATA.TXT", "a"));
  EXPECT_EQ(EACCES, errno);
  EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
  FILE* reader = fopen("data.txt", "r");
  EXPECT_NE(nullptr, reader);
  if (reader) fclose(reader);
  fclose(holder);
  FILE* writer = fopen("data.txt", "a");
  EXPECT_NE(nullptr, writer);
  if (writer) fclose(writer);
}

TEST_F(ShareModeTest, RefusedWriteOpenDoesNotTruncate) {
  FILE* holder = _fsopen("data.txt", "r", _SH_DENYWR);
  ASSERT_NE(nullptr, holder);
  EXPECT_EQ(nullptr, fopen("data.txt", "w"));
  EXPECT_EQ("keep me\r\n", ReadBytes(dir.file("data.txt")));
  fclose(holder);
}

TEST_F(ShareModeTest, AWriterBlocksAnOpenThatDeniesWrite) {
  FILE* writer = fopen("data.txt", "a");
  ASSERT_NE(nullptr, writer);
  EXPECT_EQ(nullptr, _fsopen("data.txt", "r", _SH_DENYWR));
  EXPECT_EQ(EACCES, errno);
  FILE* shared = _fsopen("data.txt", "r", _SH_DENYNO);
  EXPECT_NE(nullptr, shared);
  if (shared) fclose(shared);
  fclose(writer);
}

TEST_F(ShareModeTest, ExclusiveOpenShutsOutEveryone) {
  FILE* holder = _fsopen("data.txt", "w", _SH_DENYRW);
  ASSERT_NE(nullptr, holder);
  EXPECT_EQ(nullptr, fopen("data.txt", "r"));
  EXPECT_EQ(nullptr, fopen("data.txt", "rb"));
  EXPECT_EQ(INVALID_HANDLE_VALUE, Open(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE));
  EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
  fclose(holder);
}

TEST_F(ShareModeTest, DenyReadRefusesReadersOnly) {
  FILE* holder = _fsopen("data.txt", "a", _SH_DENYRD);
  ASSERT_NE(nullptr, holder);
  EXPECT_EQ(nullptr, fopen("data.txt", "r"));
  FILE* writer = _fsopen("data.txt", "a", _SH_DENYNO);
  EXPECT_NE(nullptr, writer);
  if (writer) fclose(writer);
  fclose(holder);
}

TEST_F(ShareModeTest, CreateFileShareFlagsFollowWindows) {
  HANDLE reader = Open(GENERIC_READ, FILE_SHARE_READ);
  ASSERT_NE(INVALID_HANDLE_VALUE, reader);
  HANDLE second = Open(GENERIC_READ, FILE_SHARE_READ);
  EXPECT_NE(INVALID_HANDLE_VALUE, second);
  // A writer would conflict with both readers' denial of write.
  EXPECT_EQ(INVALID_HANDLE_VALUE, Open(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE));
  EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
  // An open that does not allow others to read conflicts with the readers.
  EXPECT_EQ(INVALID_HANDLE_VALUE, Open(GENERIC_READ, FILE_SHARE_WRITE));
  CloseHandle(second);
  CloseHandle(reader);
  HANDLE writer = Open(GENERIC_WRITE, 0);
  EXPECT_NE(INVALID_HANDLE_VALUE, writer);
  CloseHandle(writer);
}

TEST_F(ShareModeTest, RefusedCreateAlwaysDoesNotTruncate) {
  HANDLE reader = Open(GENERIC_READ, FILE_SHARE_READ);
  ASSERT_NE(INVALID_HANDLE_VALUE, reader);
  EXPECT_EQ(INVALID_HANDLE_VALUE, Open(GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS));
  EXPECT_EQ("keep me\r\n", ReadBytes(dir.file("data.txt")));
  CloseHandle(reader);
}

TEST_F(ShareModeTest, OpenFilesCannotBeDeletedOrRenamed) {
  FILE* holder = fopen("data.txt", "r");
  ASSERT_NE(nullptr, holder);
  EXPECT_FALSE(DeleteFileA("data.txt"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
  EXPECT_EQ(-1, _unlink("data.txt"));
  EXPECT_EQ(EACCES, errno);
  EXPECT_FALSE(MoveFileA("data.txt", "other.txt"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
  fclose(holder);
  HANDLE deletable = Open(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE);
  ASSERT_NE(INVALID_HANDLE_VALUE, deletable);
  EXPECT_TRUE(DeleteFileA("data.txt"));
  CloseHandle(deletable);
  EXPECT_FALSE(Exists(dir.file("data.txt")));
}

}  // namespace
