// PAGetTempFileName: new, empty files with unique names.
#include <io.h>
#include <string.h>

#include <string>

#include <tekora/tekora.h>
#include <testsupport/temp_dir.h>

namespace {

class TempFileNameTest : public testsupport::IsolatedTest {};

TEST_F(TempFileNameTest, CreatesEmptyFilesWithThePrefix) {
  CString first = "old", second;
  ASSERT_EQ(1, PAGetTempFileName(first, dir.winPath().c_str()));
  ASSERT_EQ(1, PAGetTempFileName(second, dir.winPath().c_str()));
  EXPECT_NE(std::string(first), std::string(second));
  for (const CString* name : {&first, &second}) {
    const std::string text(*name);
    EXPECT_EQ(0u, text.find(dir.winPath())) << text;
    EXPECT_EQ("QZT", text.substr(text.find_last_of('\\') + 1, 3)) << text;
    unsigned int size = 99;
    EXPECT_EQ(1, PAFileExists(*name, &size)) << text;
    EXPECT_EQ(0u, size);
  }
}

TEST_F(TempFileNameTest, WithoutFolderUsesTheTempFolder) {
  char temp[MAX_PATH];
  ASSERT_NE(0u, GetTempPathA(MAX_PATH, temp));
  for (LPCSTR folder : {static_cast<LPCSTR>(nullptr), ""}) {
    CString name;
    ASSERT_EQ(1, PAGetTempFileName(name, folder));
    EXPECT_EQ(0, strncmp(temp, name, strlen(temp))) << std::string(name);
    EXPECT_EQ(0, _unlink(name));
  }
}

TEST_F(TempFileNameTest, FailureLeavesTheNameEmpty) {
  CString name = "old";
  EXPECT_EQ(0, PAGetTempFileName(name, dir.winPath("missing").c_str()));
  EXPECT_STREQ("", name);
  name = "old";
  EXPECT_EQ(0, PAGetTempFileName(name, std::string(300, 'd').c_str()));
  EXPECT_STREQ("", name);
}

}  // namespace
