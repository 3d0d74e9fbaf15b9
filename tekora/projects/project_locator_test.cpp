// PAProjectLocator: the answers for files of projects, of system
// directories, of the "3rdparty" folder and of no project.
#include <string>

#include <tekora/tekora.h>
#include <testsupport/files.h>

#include "project_home_test.h"

namespace {

using testsupport::MakeDirs;
using testsupport::WriteBytes;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return text;
}

// Every test works in a folder of its own, so the process-wide answers of
// one test never serve another.
class ProjectLocatorTest : public tekora_test::ProjectHomeTest {
 protected:
  void SetUp() override {
    ProjectHomeTest::SetUp();
    sdk_ = dir.winPath("sdk") + "\\";
    MakeDirs(dir.file("sdk"));
    MakeDirs(dir.file("sdk2"));
    tekora_test::ProjectKeys app = tekora_test::Keys("1", "AP");
    app.includePaths = {"Inc/Public", "..\\Shared\\"};
    app.systemDirs = {Lower(sdk_), Lower(dir.winPath("sdk2\\"))};
    WriteProject("app", app);
    tekora_test::ProjectKeys lib = tekora_test::Keys("2", "LB");
    lib.includePaths = {"include", "..\\3rdparty\\zlib"};
    WriteProject("lib", lib);
    ASSERT_EQ(1, locator_.Init("", "project.ini"));
    ASSERT_EQ(1, locator_.Refresh());
    ASSERT_EQ(2, locator_.GetCount());
  }

  int Index(const std::string& windowsPath) { return locator_.GetProjectIndex(windowsPath.c_str()); }

  std::string sdk_;
  PAProjectLocator locator_;
};

TEST_F(ProjectLocatorTest, FilesOfSourceFoldersBelongToTheirProject) {
  EXPECT_EQ(0, Index(dir.winPath("home\\app\\inc\\public\\a.h")));
  EXPECT_EQ(0, Index(dir.winPath("home\\shared\\b.h")));
  EXPECT_EQ(1, Index(dir.winPath("home\\lib\\INCLUDE\\c.h")));
  // Forward slashes and mixed case in the path asked about.
  EXPECT_EQ(0, Index(dir.winPath("HOME/App/Inc/Public/d.h")));
  // Only source folders count: not the project directory, not a folder below one.
  EXPECT_EQ(-2, Index(dir.winPath("home\\app\\main.cpp")));
  EXPECT_EQ(-2, Index(dir.winPath("home\\lib\\include\\deeper\\e.h")));
  EXPECT_EQ(-2, Index(dir.winPath("elsewhere\\f.h")));
}

TEST_F(ProjectLocatorTest, TheModifiablePathIsMadeAbsoluteAndLowerCase) {
  ASSERT_EQ(0, _chdir(dir.path().c_str()));
  CString path = "Home\\App\\Inc\\Public\\X.H";
  EXPECT_EQ(0, locator_.GetProjectIndex(path));
  EXPECT_EQ(Lower(dir.winPath("home\\app\\inc\\public\\x.h")), std::string(path));
}

TEST_F(ProjectLocatorTest, ThirdPartyFilesBelongToNoProject) {
  // Even where a project names the folder as a source path.
  EXPECT_EQ(-2, Index(dir.winPath("home\\3rdparty\\zlib\\zlib.h")));
  // The rule holds without a trailing backslash in PHOME and with one.
  testsupport::ScopedEnv slash("PHOME", dir.winPath("home") + "\\");
  EXPECT_EQ(-2, Index(dir.winPath("home\\3rdParty\\png\\png.h")));
}

TEST_F(ProjectLocatorTest, ExistingFilesOfSystemDirectoriesAreSystemFiles) {
  EXPECT_EQ(1, locator_.IsInSystemDir(Lower(sdk_ + "sub\\").c_str()));
  EXPECT_EQ(0, locator_.IsInSystemDir(sdk_.c_str() + 1));
  WriteBytes(dir.file("sdk/windows.h"), "");
  WriteBytes(dir.file("sdk/msi.h"), "");
  EXPECT_EQ(1, locator_.IsSystemFile((sdk_ + "Windows.h").c_str()));
  EXPECT_EQ(0, locator_.IsSystemFile((sdk_ + "MSI.H").c_str()));
  EXPECT_EQ(0, locator_.IsSystemFile((sdk_ + "missing.h").c_str()));

  // The first answer for a directory holds for all its files.
  EXPECT_EQ(-1, Index(sdk_ + "windows.h"));
  EXPECT_EQ(-1, Index(sdk_ + "msi.h"));
  EXPECT_EQ(-1, Index(sdk_ + "missing.h"));

  WriteBytes(dir.file("sdk2/msi.h"), "");
  WriteBytes(dir.file("sdk2/winbase.h"), "");
  EXPECT_EQ(-2, Index(dir.winPath("sdk2\\msi.h")));
  EXPECT_EQ(-2, Index(dir.winPath("sdk2\\winbase.h")));
}

TEST_F(ProjectLocatorTest, TheFirstProjectGivesTheSystemDirectories) {
  const CStringArray& dirs = locator_.GetSystemDirList();
  ASSERT_GE(dirs.GetSize(), 2);
  EXPECT_STREQ(Lower(dir.winPath("sdk2\\")).c_str(), dirs[dirs.GetSize() - 1]);
  EXPECT_STREQ(Lower(dir.winPath("home\\")).c_str(), locator_.GetHomeDirectory());
}

TEST_F(ProjectLocatorTest, AnEmptyListClaimsNothing) {
  testsupport::ScopedEnv emptyHome("PHOME", dir.winPath("sdk"));
  PAProjectLocator empty;
  ASSERT_EQ(1, empty.Init("", "project.ini"));
  EXPECT_EQ(1, empty.Refresh());
  EXPECT_EQ(0, empty.GetSystemDirList().GetSize());
  EXPECT_EQ(-2, empty.GetProjectIndex(dir.winPath("sdk\\other\\x.h").c_str()));
}

}  // namespace
