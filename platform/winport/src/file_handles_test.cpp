// CreateFileA and the handle calls, checked against what Windows does.
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

class FileHandlesTest : public testsupport::IsolatedTest {
 protected:
  HANDLE Create(const char* name, DWORD disposition, DWORD access = GENERIC_READ | GENERIC_WRITE) {
    return CreateFileA(name, access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
};

TEST_F(FileHandlesTest, DispositionsOnAMissingFile) {
  EXPECT_EQ(INVALID_HANDLE_VALUE, Create("f.bin", OPEN_EXISTING));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
  EXPECT_EQ(INVALID_HANDLE_VALUE, Create("f.bin", TRUNCATE_EXISTING));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
  HANDLE h = Create("f.bin", OPEN_ALWAYS);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
  CloseHandle(h);
}

TEST_F(FileHandlesTest, DispositionsOnAnExistingFile) {
  WriteBytes(dir.file("f.bin"), "12345");
  EXPECT_EQ(INVALID_HANDLE_VALUE, Create("F.BIN", CREATE_NEW));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_EXISTS), GetLastError());
  HANDLE h = Create("F.BIN", OPEN_ALWAYS);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
  EXPECT_EQ(5u, GetFileSize(h, nullptr));
  CloseHandle(h);
  h = Create("F.BIN", CREATE_ALWAYS);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
  EXPECT_EQ(0u, GetFileSize(h, nullptr));
  CloseHandle(h);
  EXPECT_EQ(std::vector<std::string>{"f.bin"}, FileNames(dir.path()));  // no second file
}

TEST_F(FileHandlesTest, TruncateExistingNeedsWriteAccess) {
  if (testsupport::RunningUnderWine()) GTEST_SKIP() << "Wine truncates with read access (docs/windows-build.md)";
  WriteBytes(dir.file("f.bin"), "12345");
  EXPECT_EQ(INVALID_HANDLE_VALUE, Create("f.bin", TRUNCATE_EXISTING, GENERIC_READ));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
  HANDLE h = Create("f.bin", TRUNCATE_EXISTING, GENERIC_WRITE);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  CloseHandle(h);
  EXPECT_EQ("", ReadBytes(dir.file("f.bin")));
}

TEST_F(FileHandlesTest, DirectoryCannotBeOpened) {
  ASSERT_TRUE(CreateDirectoryA("sub", nullptr));
  EXPECT_EQ(INVALID_HANDLE_VALUE, Create("SUB", OPEN_EXISTING, GENERIC_READ));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
}

TEST_F(FileHandlesTest, ReadOnlyFileRefusesWriteAccess) {
  if (testsupport::RunningUnderWine()) GTEST_SKIP() << "Wine run as root writes read-only files (docs/windows-build.md)";
  WriteBytes(dir.file("ro.bin"), "x");
  ASSERT_TRUE(SetFileAttributesA("ro.bin", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(INVALID_HANDLE_VALUE, Create("ro.bin", OPEN_EXISTING, GENERIC_WRITE));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
  HANDLE h = Create("ro.bin", OPEN_EXISTING, GENERIC_READ);
  EXPECT_NE(INVALID_HANDLE_VALUE, h);
  CloseHandle(h);
}

TEST_F(FileHandlesTest, ReadWriteSeekAndCut) {
  HANDLE h = Create("f.bin", CREATE_NEW);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  DWORD done = 0;
  ASSERT_TRUE(WriteFile(h, "hello world", 11, &done, nullptr));
  EXPECT_EQ(11u, done);
  EXPECT_EQ(6u, SetFilePointer(h, 6, nullptr, FILE_BEGIN));
  char buffer[16] = {};
  ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &done, nullptr));
  EXPECT_EQ(5u, done);
  EXPECT_STREQ("world", buffer);
  ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &done, nullptr));  // end of file: success, 0 bytes
  EXPECT_EQ(0u, done);
  EXPECT_EQ(5u, SetFilePointer(h, -6, nullptr, FILE_END));
  ASSERT_TRUE(SetEndOfFile(h));
  EXPECT_EQ(5u, GetFileSize(h, nullptr));
  LARGE_INTEGER distance, position;
  distance.QuadPart = -2;
  ASSERT_TRUE(SetFilePointerEx(h, distance, &position, FILE_CURRENT));
  EXPECT_EQ(3, position.QuadPart);
  EXPECT_TRUE(FlushFileBuffers(h));
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_EQ("hello", ReadBytes(dir.file("f.bin")));
}

TEST_F(FileHandlesTest, SeekBeforeTheStartFails) {
  HANDLE h = Create("f.bin", CREATE_NEW);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(h, -1, nullptr, FILE_BEGIN));
  EXPECT_EQ(static_cast<DWORD>(ERROR_NEGATIVE_SEEK), GetLastError());
  LONG high = 0;
  EXPECT_EQ(0u, SetFilePointer(h, 0, &high, FILE_CURRENT));
  if (!testsupport::RunningUnderWine()) {  // Wine leaves the last error as it was
    EXPECT_EQ(static_cast<DWORD>(NO_ERROR), GetLastError());
  }
  CloseHandle(h);
}

TEST_F(FileHandlesTest, AccessIsCheckedPerHandle) {
  WriteBytes(dir.file("f.bin"), "abc");
  HANDLE h = Create("f.bin", OPEN_EXISTING, GENERIC_READ);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  DWORD done = 1;
  EXPECT_FALSE(WriteFile(h, "x", 1, &done, nullptr));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
  EXPECT_EQ(0u, done);
  CloseHandle(h);
}

TEST_F(FileHandlesTest, ClosedOrForeignHandlesAreInvalid) {
  HANDLE h = Create("f.bin", CREATE_NEW);
  ASSERT_TRUE(CloseHandle(h));
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
  char buffer[4];
  DWORD done;
  EXPECT_FALSE(ReadFile(h, buffer, 4, &done, nullptr));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
  EXPECT_TRUE(CloseHandle(INVALID_HANDLE_VALUE));  // the process's own pseudo handle
  EXPECT_FALSE(CloseHandle(nullptr));
}

TEST_F(FileHandlesTest, DeleteOnCloseRemovesTheFile) {
  HANDLE h = CreateFileA("tmp.bin", GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_TRUE(Exists(dir.file("tmp.bin")));
  CloseHandle(h);
  EXPECT_FALSE(Exists(dir.file("tmp.bin")));
}

class FileOpsTest : public testsupport::IsolatedTest {};

TEST_F(FileOpsTest, DeleteFileFollowsWindows) {
  WriteBytes(dir.file("A.txt"), "a");
  EXPECT_TRUE(DeleteFileA("a.TXT"));
  EXPECT_FALSE(DeleteFileA("a.txt"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
  EXPECT_FALSE(DeleteFileA("none\\a.txt"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
  ASSERT_TRUE(CreateDirectoryA("d", nullptr));
  EXPECT_FALSE(DeleteFileA("d"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
}

TEST_F(FileOpsTest, MoveFileRefusesAnExistingTargetUnlessAskedToReplace) {
  WriteBytes(dir.file("a.txt"), "a");
  WriteBytes(dir.file("b.txt"), "b");
  EXPECT_FALSE(MoveFileA("a.txt", "B.TXT"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
  EXPECT_TRUE(MoveFileExA("a.txt", "B.TXT", MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ("a", ReadBytes(dir.file("b.txt")));
  const std::vector<std::string> names = FileNames(dir.path());
  ASSERT_EQ(1u, names.size());  // the existing entry was replaced, not doubled
  EXPECT_EQ(0, lstrcmpiA("b.txt", names[0].c_str()));
}

TEST_F(FileOpsTest, MoveFileMovesDirectoriesAndReportsMissingSources) {
  ASSERT_TRUE(CreateDirectoryA("from", nullptr));
  WriteBytes(dir.file("from/x"), "x");
  ASSERT_TRUE(CreateDirectoryA("into", nullptr));
  EXPECT_TRUE(MoveFileA("FROM", "into\\moved"));
  EXPECT_EQ("x", ReadBytes(dir.file("into/moved/x")));
  EXPECT_FALSE(MoveFileA("from", "else"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST_F(FileOpsTest, CopyFileKeepsContentAndHonoursFailIfExists) {
  WriteBytes(dir.file("src.bin"), std::string("a\0b\r\n", 5));
  EXPECT_TRUE(CopyFileA("SRC.bin", "dst.bin", TRUE));
  EXPECT_EQ(std::string("a\0b\r\n", 5), ReadBytes(dir.file("dst.bin")));
  EXPECT_FALSE(CopyFileA("src.bin", "DST.BIN", TRUE));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_EXISTS), GetLastError());
  WriteBytes(dir.file("src.bin"), "new");
  EXPECT_TRUE(CopyFileA("src.bin", "DST.BIN", FALSE));
  EXPECT_EQ("new", ReadBytes(dir.file("dst.bin")));
  EXPECT_FALSE(CopyFileA("missing", "x", FALSE));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST_F(FileOpsTest, CopyFileOntoItselfIsASharingViolation) {
  WriteBytes(dir.file("same.bin"), "content");
  EXPECT_FALSE(CopyFileA("same.bin", "SAME.BIN", FALSE));
  EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
  EXPECT_EQ("content", ReadBytes(dir.file("same.bin")));
}

TEST_F(FileOpsTest, DirectoriesAreCreatedAndRemovedAsOnWindows) {
  EXPECT_TRUE(CreateDirectoryA("New", nullptr));
  EXPECT_FALSE(CreateDirectoryA("NEW", nullptr));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
  EXPECT_FALSE(CreateDirectoryA("a\\b", nullptr));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
  WriteBytes(dir.file("New/f"), "");
  EXPECT_FALSE(RemoveDirectoryA("new"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_DIR_NOT_EMPTY), GetLastError());
  EXPECT_FALSE(RemoveDirectoryA("new\\f"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_DIRECTORY), GetLastError());
  ASSERT_TRUE(DeleteFileA("new\\f"));
  EXPECT_TRUE(RemoveDirectoryA("new"));
  EXPECT_FALSE(RemoveDirectoryA("new"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST_F(FileOpsTest, AttributesOfFilesAndFolders) {
  WriteBytes(dir.file("f.txt"), "x");
  ASSERT_TRUE(CreateDirectoryA("d", nullptr));
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE), GetFileAttributesA("F.TXT"));
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY), GetFileAttributesA("D"));
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY), GetFileAttributesA("d\\"));
  ASSERT_TRUE(SetFileAttributesA("f.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE), GetFileAttributesA("f.txt"));
  EXPECT_FALSE(DeleteFileA("f.txt"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
  ASSERT_TRUE(SetFileAttributesA("f.txt", FILE_ATTRIBUTE_NORMAL));
  EXPECT_TRUE(DeleteFileA("f.txt"));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("f.txt"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("x\\f.txt"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
}

TEST_F(FileOpsTest, FullPathNameFollowsTheBufferRules) {
  std::string expected = dir.winPath("a\\b.txt");
  char buffer[512];
  char* part = nullptr;
  EXPECT_EQ(expected.size(), GetFullPathNameA("a\\x\\..\\b.txt", sizeof buffer, buffer, &part));
  EXPECT_EQ(expected, buffer);
  ASSERT_NE(nullptr, part);
  EXPECT_STREQ("b.txt", part);
  EXPECT_EQ(expected.size() + 1, GetFullPathNameA("a/b.txt", static_cast<DWORD>(expected.size()), buffer, nullptr));
  EXPECT_EQ(dir.winPath("a\\").size(), GetFullPathNameA("a\\", sizeof buffer, buffer, &part));
  EXPECT_EQ(nullptr, part);
}

TEST_F(FileOpsTest, CurrentDirectoryInWindowsForm) {
  ASSERT_TRUE(CreateDirectoryA("Work", nullptr));
  EXPECT_TRUE(SetCurrentDirectoryA("work"));
  char buffer[512];
  std::string expected = dir.winPath("work");  // named as it was given
  EXPECT_EQ(expected.size(), GetCurrentDirectoryA(sizeof buffer, buffer));
  EXPECT_EQ(expected, buffer);
  EXPECT_EQ(expected.size() + 1, GetCurrentDirectoryA(2, buffer));
  EXPECT_FALSE(SetCurrentDirectoryA("missing"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST(FileTimes, ConvertBetweenFileTimeAndSystemTime) {
  SYSTEMTIME st = {};
  st.wYear = 2024;
  st.wMonth = 2;
  st.wDay = 29;
  st.wHour = 13;
  st.wMinute = 45;
  st.wSecond = 7;
  st.wMilliseconds = 250;
  FILETIME ft;
  ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
  SYSTEMTIME back;
  ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
  EXPECT_EQ(2024, back.wYear);
  EXPECT_EQ(2, back.wMonth);
  EXPECT_EQ(29, back.wDay);
  EXPECT_EQ(4, back.wDayOfWeek);  // a Thursday
  EXPECT_EQ(13, back.wHour);
  EXPECT_EQ(45, back.wMinute);
  EXPECT_EQ(7, back.wSecond);
  EXPECT_EQ(250, back.wMilliseconds);
  FILETIME epoch = {0xD53E8000u, 0x019DB1DEu};  // 1970-01-01
  ASSERT_TRUE(FileTimeToSystemTime(&epoch, &back));
  EXPECT_EQ(1970, back.wYear);
  EXPECT_EQ(1, back.wDay);
  st.wDay = 30;
  EXPECT_FALSE(SystemTimeToFileTime(&st, &ft));
}

}  // namespace
