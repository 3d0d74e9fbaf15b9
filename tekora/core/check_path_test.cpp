// PACheckPath: normalising, testing and entering paths.
#include <direct.h>

#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::IsolatedTest;

class CheckPathTest : public IsolatedTest {
 protected:
  std::string Cwd() {
    char buffer[MAX_PATH];
    return _getcwd(buffer, MAX_PATH) ? buffer : "";
  }
  std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
  }
};

TEST_F(CheckPathTest, EmptyPathFailsAndStaysEmpty) {
  CString path;
  EXPECT_EQ(0, PACheckPath(path, 0, 0));
  EXPECT_EQ(0, PACheckPath(path, 1, 1));
  EXPECT_TRUE(path.IsEmpty());
}

TEST_F(CheckPathTest, RelativeFileBecomesAbsoluteLowerCase) {
  testsupport::WriteBytes(dir.file("Data.SQL"), "x");
  CString path = "Data.SQL";
  EXPECT_EQ(1, PACheckPath(path, 0, 0));
  EXPECT_EQ(Lower(dir.winPath("data.sql")), std::string(path));
}

TEST_F(CheckPathTest, TestModeNeitherTrimsNorAddsBackslash) {
  CString path = "  Missing.sql";
  EXPECT_EQ(0, PACheckPath(path, 0, 0));
  EXPECT_EQ(Lower(dir.winPath("  missing.sql")), std::string(path));
  // Making the path absolute drops a last name's trailing dots and spaces,
  // as Windows does.
  CString trailing = "missing.sql. ";
  EXPECT_EQ(0, PACheckPath(trailing, 0, 0));
  EXPECT_EQ(Lower(dir.winPath("missing.sql")), std::string(trailing));
}

TEST_F(CheckPathTest, ChangeDirectoryStaysOrRestores) {
  ASSERT_EQ(0, _mkdir("Sub"));
  const std::string before = Cwd();

  CString restored = "  sub/ ";
  EXPECT_EQ(1, PACheckPath(restored, 1, 1));
  EXPECT_EQ(Lower(dir.winPath("sub\\")), std::string(restored));
  EXPECT_EQ(before, Cwd());

  // The directory is entered by the normalised (lower-case) name.
  CString stayed = "Sub";
  EXPECT_EQ(1, PACheckPath(stayed, 1, 0));
  EXPECT_EQ(Lower(dir.winPath("Sub")), Cwd());
}

TEST_F(CheckPathTest, MissingDirectoryIsNotEntered) {
  const std::string before = Cwd();
  CString path = "nowhere";
  EXPECT_EQ(0, PACheckPath(path, 1, 0));
  EXPECT_EQ(before, Cwd());
}

TEST_F(CheckPathTest, DollarIsNeverEnteredButPathIsNormalised) {
  ASSERT_EQ(0, _mkdir("share$"));
  const std::string before = Cwd();
  CString path = "Share$";
  EXPECT_EQ(0, PACheckPath(path, 1, 0));
  EXPECT_EQ(Lower(dir.winPath("share$\\")), std::string(path));
  EXPECT_EQ(before, Cwd());
}

TEST_F(CheckPathTest, TooLongPathFailsWithoutChange) {
  CString path(std::string(300, 'a').c_str());
  EXPECT_EQ(0, PACheckPath(path, 0, 0));
  EXPECT_EQ(std::string(300, 'a'), std::string(path));
}

TEST(NormalizeDirectoryTest, TrimsLowersAndEndsWithOneBackslash) {
  CString path = "  C:/Work/Src ";
  EXPECT_EQ(1, PANormalizeDirectory(path));
  EXPECT_STREQ("c:\\work\\src\\", path);

  CString already = "x\\";
  EXPECT_EQ(1, PANormalizeDirectory(already));
  EXPECT_STREQ("x\\", already);

  CString blank = "   ";
  EXPECT_EQ(0, PANormalizeDirectory(blank));
  EXPECT_STREQ("", blank);
}

}  // namespace
