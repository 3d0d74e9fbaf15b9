// PAFullPath, PAFileExists, PACheckConfigFile and PACanEnterDirectory.
#include <direct.h>
#include <windows.h>

#include <string>

#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/run_program.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::WriteBytes;

class FileProbesTest : public testsupport::IsolatedTest {
 protected:
  std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
  }
  std::string Cwd() {
    char buffer[MAX_PATH];
    return _getcwd(buffer, MAX_PATH) ? buffer : "";
  }
};

TEST_F(FileProbesTest, FullPathIsAbsoluteAndLowerCase) {
  CString path = "Sub\\..\\Data.INI";
  EXPECT_EQ(1, PAFullPath(path));
  EXPECT_EQ(Lower(dir.winPath("data.ini")), std::string(path));
  CString tooLong = CString('x', 300);
  EXPECT_EQ(0, PAFullPath(tooLong));
  EXPECT_EQ(CString('x', 300), tooLong);
}

TEST_F(FileProbesTest, FileExistsWithWildcardsGivesTheSizeOfTheMatch) {
  WriteBytes(dir.file("project.ini"), "1234567");
  WriteBytes(dir.file("other.txt"), std::string(100, 'o'));
  testsupport::MakeDirs(dir.file("Folder"));
  unsigned int size = 99;
  EXPECT_EQ(1, PAFileExists("*.ini", &size));
  EXPECT_EQ(7u, size);
  EXPECT_EQ(1, PAFileExists("PROJ?CT.INI", &size));
  EXPECT_EQ(7u, size);
  EXPECT_EQ(1, PAFileExists("folder", &size));
  EXPECT_EQ(0u, size);
  EXPECT_EQ(1, PAFileExists("other.txt", nullptr));
  size = 99;
  EXPECT_EQ(0, PAFileExists("*.sql", &size));
  EXPECT_EQ(99u, size);  // not written when nothing matches
  EXPECT_EQ(0, PAFileExists(nullptr, &size));
  EXPECT_EQ(0, PAFileExists("", &size));
}

TEST_F(FileProbesTest, ConfigFileOf52BytesIsSilentlyValid) {
  unsigned int size = 0;
  EXPECT_EQ(1, PACheckConfigFile("missing.ini", &size));
  WriteBytes(dir.file("valid.ini"), std::string(52, 'v'));
  EXPECT_EQ(0, PACheckConfigFile("valid.ini", &size));
  EXPECT_EQ(52u, size);
  // Without a terminal the warning for a short file is not shown; the file
  // still counts as present.
  WriteBytes(dir.file("short.ini"), std::string(51, 's'));
  EXPECT_EQ(0, PACheckConfigFile("short.ini", &size));
  EXPECT_EQ(51u, size);
  EXPECT_EQ(0, PACheckConfigFile("short.ini", nullptr));
}

TEST_F(FileProbesTest, ShortConfigFileShowsTheWarningBox) {
  if (!testsupport::HaveTerminal()) GTEST_SKIP() << "no terminal to show the box on";
  const std::string child = testsupport::ProgramPath("testchild");
  WriteBytes(dir.file("short.ini"), std::string(51, 's'));
  WriteBytes(dir.file("valid.ini"), std::string(52, 'v'));
  testsupport::RunResult shortRun = testsupport::RunOnTerminal({child, "checkconfig", "short.ini"}, dir.path());
  EXPECT_EQ("result 0 size 51\n", shortRun.out);
  EXPECT_NE(std::string::npos, shortRun.terminal.find("Configuration file short.ini seems to be corrupt!"));
  EXPECT_NE(std::string::npos, shortRun.terminal.find("[Error]"));
  testsupport::RunResult validRun = testsupport::RunOnTerminal({child, "checkconfig", "valid.ini"}, dir.path());
  EXPECT_EQ("result 0 size 52\n", validRun.out);
  EXPECT_EQ(std::string::npos, validRun.terminal.find("corrupt"));
  // A path with "%" is shown as it is, never used as a format.
  WriteBytes(dir.file("a%s%n.ini"), "x");
  testsupport::RunResult oddRun = testsupport::RunOnTerminal({child, "checkconfig", "a%s%n.ini"}, dir.path());
  EXPECT_NE(std::string::npos, oddRun.terminal.find("Configuration file a%s%n.ini seems"));
}

TEST_F(FileProbesTest, CanEnterDirectoryLeavesTheWorkingDirectory) {
  testsupport::MakeDirs(dir.file("Sub"));
  WriteBytes(dir.file("file.txt"), "x");
  const std::string before = Cwd();
  EXPECT_EQ(1, PACanEnterDirectory("sub"));
  EXPECT_EQ(before, Cwd());
  EXPECT_EQ(1, PACanEnterDirectory(dir.winPath("Sub").c_str()));
  EXPECT_EQ(0, PACanEnterDirectory("missing"));
  EXPECT_EQ(0, PACanEnterDirectory("file.txt"));
  EXPECT_EQ(0, PACanEnterDirectory(nullptr));
  EXPECT_EQ(before, Cwd());
}

}  // namespace
