// SHGetSpecialFolderPathA on POSIX: the local application data folder is
// $XDG_DATA_HOME, created when asked for.
#include <shlobj.h>
#include <string.h>
#include <windows.h>

#include <string>

#include "testsupport/environment.h"
#include "testsupport/files.h"
#include "testsupport/temp_dir.h"

namespace {

TEST(ShellFoldersPosixTest, LocalApplicationDataIsTheXdgDataFolder) {
  testsupport::TempDir dir;
  testsupport::ScopedEnv data("XDG_DATA_HOME", dir.file("new/data"));
  char path[MAX_PATH];
  EXPECT_FALSE(SHGetSpecialFolderPathA(NULL, path, CSIDL_LOCAL_APPDATA, FALSE));  // missing, not created
  ASSERT_TRUE(SHGetSpecialFolderPathA(NULL, path, CSIDL_LOCAL_APPDATA, TRUE));
  EXPECT_EQ(dir.winPath("new\\data"), path);
  EXPECT_TRUE(testsupport::Exists(dir.file("new/data")));
  EXPECT_FALSE(SHGetSpecialFolderPathA(NULL, path, 0x0005, TRUE));  // the documents folder is not known
  EXPECT_FALSE(SHGetSpecialFolderPathA(NULL, NULL, CSIDL_LOCAL_APPDATA, TRUE));
}

}  // namespace
