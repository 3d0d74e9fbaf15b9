// GetWindowsDirectoryA: $WINPORT_ROOT/windows, in Windows form, created on demand.
#include <stdlib.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>

#include <testsupport/temp_dir.h>

#include "win_path.h"

namespace {

class WindowsDirectory : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    const char* root = getenv("WINPORT_ROOT");
    hadRoot_ = root != nullptr;
    if (root) savedRoot_ = root;
    unsetenv("WINPORT_ROOT");
  }
  void TearDown() override {
    if (hadRoot_) setenv("WINPORT_ROOT", savedRoot_.c_str(), 1);
  }
  bool IsFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }
  bool hadRoot_ = false;
  std::string savedRoot_;
};

TEST_F(WindowsDirectory, LivesBelowTheConfigFolderAndIsCreated) {
  const std::string expected = winport::PosixToWindows(std::string(getenv("XDG_CONFIG_HOME")) + "/winport/windows");
  char buffer[MAX_PATH];
  UINT n = GetWindowsDirectoryA(buffer, MAX_PATH);
  EXPECT_EQ(expected, buffer);
  EXPECT_EQ(expected.size(), n);
  EXPECT_TRUE(IsFolder(std::string(getenv("XDG_CONFIG_HOME")) + "/winport/windows"));
}

TEST_F(WindowsDirectory, FollowsWinportRootAndReportsTheSizeNeeded) {
  setenv("WINPORT_ROOT", dir.file("root").c_str(), 1);
  const std::string expected = winport::PosixToWindows(dir.file("root/windows"));
  char small[4] = "abc";
  EXPECT_EQ(expected.size() + 1, GetWindowsDirectoryA(small, sizeof small));
  EXPECT_STREQ("abc", small);
  EXPECT_EQ(expected.size() + 1, GetWindowsDirectoryA(nullptr, 0));
  EXPECT_TRUE(IsFolder(dir.file("root/windows")));
}

}  // namespace
