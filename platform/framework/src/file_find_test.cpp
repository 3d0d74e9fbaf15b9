#include <afx.h>

#include <gtest/gtest.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>


#include <set>
#include <string>

namespace {

using testsupport::WriteBytes;

class FileFindTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    WriteBytes(dir.file("Alpha.SQL"), "12345");
    WriteBytes(dir.file("beta.sql"), "");
    WriteBytes(dir.file("notes.txt.bak"), "");
    WriteBytes(dir.file(".hidden"), "");
    testsupport::MakeDirs(dir.file("Sub.Dir"));
    WriteBytes(dir.file("Sub.Dir/inner.sql"), "");
  }

  // Every entry a search reports, in the loop form callers use.
  std::set<std::string> FindAll(LPCSTR pattern, std::set<std::string>* dirs = nullptr) {
    std::set<std::string> names;
    CFileFind finder;
    BOOL bWorking = finder.FindFile(pattern);
    while (bWorking) {
      bWorking = finder.FindNextFile();
      names.insert(std::string(finder.GetFileName()));
      if (dirs != nullptr && finder.IsDirectory()) dirs->insert(std::string(finder.GetFileName()));
    }
    return names;
  }
};

TEST_F(FileFindTest, AllEntriesIncludingDotsWithTheNamesAsOnDisk) {
  std::set<std::string> dirs;
  std::set<std::string> expected = {".", "..", ".hidden", "Alpha.SQL", "Sub.Dir", "beta.sql", "notes.txt.bak"};
  EXPECT_EQ(expected, FindAll(NULL, &dirs));
  std::set<std::string> expectedDirs = {".", "..", "Sub.Dir"};
  EXPECT_EQ(expectedDirs, dirs);
  EXPECT_EQ(expected, FindAll("*.*"));
}

TEST_F(FileFindTest, PatternsMatchWithoutRegardToCase) {
  std::set<std::string> sql = {"Alpha.SQL", "beta.sql"};
  EXPECT_EQ(sql, FindAll("*.sql"));
  EXPECT_EQ(sql, FindAll("*.SQL"));
  std::set<std::string> inner = {"inner.sql"};
  EXPECT_EQ(inner, FindAll("sub.dir\\*.SQL"));
  std::set<std::string> innerWithDots = {".", "..", "inner.sql"};
  EXPECT_EQ(innerWithDots, FindAll(CString(dir.winPath("SUB.DIR\\*").c_str())));
}

TEST_F(FileFindTest, TheCurrentEntryDescribesItself) {
  CFileFind finder;
  ASSERT_TRUE(finder.FindFile("alpha.sql"));
  EXPECT_STREQ("", finder.GetFileName());  // nothing is current before FindNextFile
  EXPECT_FALSE(finder.FindNextFile());      // the only entry is also the last
  EXPECT_STREQ("Alpha.SQL", finder.GetFileName());
  EXPECT_STREQ("Alpha", finder.GetFileTitle());
  EXPECT_STREQ(CString(dir.winPath().c_str()), finder.GetRoot());
  EXPECT_STREQ(CString(dir.winPath("Alpha.SQL").c_str()), finder.GetFilePath());
  EXPECT_EQ(5u, finder.GetLength());
  EXPECT_FALSE(finder.IsDirectory());
  EXPECT_FALSE(finder.IsDots());
  EXPECT_FALSE(finder.FindNextFile());  // stays at the end
}

TEST_F(FileFindTest, DotsAreDirectoriesThatCallersSkip) {
  CFileFind finder;
  BOOL bWorking = finder.FindFile("*");
  int dots = 0;
  int others = 0;
  while (bWorking) {
    bWorking = finder.FindNextFile();
    if (finder.IsDots()) {
      EXPECT_TRUE(finder.IsDirectory());
      ++dots;
    } else {
      ++others;
    }
  }
  EXPECT_EQ(2, dots);
  EXPECT_EQ(5, others);
}

TEST_F(FileFindTest, NoMatchFailsWithTheSystemError) {
  CFileFind finder;
  EXPECT_FALSE(finder.FindFile("*.none"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
  EXPECT_FALSE(finder.FindNextFile());
  EXPECT_FALSE(finder.FindFile("missing\\*.*"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
}

}  // namespace
