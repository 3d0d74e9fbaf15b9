// FindFirstFileA / FindNextFileA with the Windows pattern rules.
#include <sys/stat.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "testsupport/files.h"
#include "testsupport/temp_dir.h"
#include "wildcard.h"

namespace {

using testsupport::WriteBytes;

class FindFileTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(0, mkdir(dir.file("Proj").c_str(), 0777));
    ASSERT_EQ(0, mkdir(dir.file("Proj/Sub").c_str(), 0777));
    WriteBytes(dir.file("Proj/A.SQL"), "12345");
    WriteBytes(dir.file("Proj/b.sql"), "");
    WriteBytes(dir.file("Proj/README"), "");
    WriteBytes(dir.file("Proj/notes.txt"), "");
  }

  // Every name the search hands out, in order; "<none>" with the error when nothing.
  std::vector<std::string> Find(const char* pattern) {
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(pattern, &data);
    if (h == INVALID_HANDLE_VALUE) return {"<none:" + std::to_string(GetLastError()) + ">"};
    std::vector<std::string> names;
    do names.push_back(data.cFileName);
    while (FindNextFileA(h, &data));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_FILES), GetLastError());
    EXPECT_TRUE(FindClose(h));
    return names;
  }
};

using Names = std::vector<std::string>;

TEST_F(FindFileTest, StarDotStarMatchesEveryNameWithDotEntries) {
  EXPECT_EQ((Names{".", "..", "A.SQL", "b.sql", "notes.txt", "README", "Sub"}), Find("proj\\*.*"));
  EXPECT_EQ((Names{".", "..", "A.SQL", "b.sql", "notes.txt", "README", "Sub"}), Find("proj\\*"));
}

TEST_F(FindFileTest, ExtensionPatternIgnoresCase) {
  EXPECT_EQ((Names{"A.SQL", "b.sql"}), Find("PROJ\\*.sql"));
  EXPECT_EQ((Names{"A.SQL"}), Find("proj\\a*.Sql"));
}

TEST_F(FindFileTest, StarDotMatchesNamesWithoutADot) {
  // "." and ".." count as names without an extension, as on Windows.
  EXPECT_EQ((Names{".", "..", "README", "Sub"}), Find("proj\\*."));
}

TEST_F(FindFileTest, QuestionMarkRules) {
  EXPECT_EQ((Names{"A.SQL", "b.sql"}), Find("proj\\?.sql"));
  EXPECT_EQ((Names{"A.SQL", "b.sql"}), Find("proj\\??.sql"));  // "?" before a dot may match nothing
  EXPECT_EQ((Names{"<none:2>"}), Find("proj\\?"));
  EXPECT_EQ((Names{"Sub"}), Find("proj\\s?b"));
}

TEST_F(FindFileTest, NameWithoutWildcardsFindsThatEntryAsOnDisk) {
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("proj\\a.sql", &data);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_STREQ("A.SQL", data.cFileName);
  EXPECT_EQ(5u, data.nFileSizeLow);
  EXPECT_EQ(0u, data.nFileSizeHigh);
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE), data.dwFileAttributes);
  EXPECT_NE(0u, data.ftLastWriteTime.dwHighDateTime);
  EXPECT_FALSE(FindNextFileA(h, &data));
  EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_FILES), GetLastError());
  FindClose(h);
  EXPECT_EQ((Names{"Sub"}), Find("PROJ\\SUB"));
  EXPECT_EQ((Names{"Proj"}), Find(dir.winPath("proj").c_str()));
}

TEST_F(FindFileTest, DirectoriesCarryTheDirectoryAttribute) {
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("proj\\sub", &data);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY), data.dwFileAttributes);
  EXPECT_EQ(0u, data.nFileSizeLow);
  FindClose(h);
}

TEST_F(FindFileTest, MissingEntriesAndFolders) {
  EXPECT_EQ((Names{"<none:2>"}), Find("proj\\*.doc"));
  EXPECT_EQ((Names{"<none:2>"}), Find("proj\\missing.sql"));
  EXPECT_EQ((Names{"<none:3>"}), Find("nowhere\\*.*"));
  EXPECT_EQ((Names{"<none:2>"}), Find("proj\\"));  // a trailing separator names no entry
}

TEST_F(FindFileTest, RootListsNoDotEntries) {
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("\\*", &data);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  std::set<std::string> names;
  do names.insert(data.cFileName);
  while (FindNextFileA(h, &data));
  FindClose(h);
  EXPECT_EQ(0u, names.count("."));
  EXPECT_EQ(0u, names.count(".."));
  EXPECT_EQ(1u, names.count("tmp"));
}

TEST_F(FindFileTest, FindCloseOnlyClosesSearches) {
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("proj\\*", &data);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_TRUE(FindClose(h));
  EXPECT_FALSE(FindClose(h));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
}

TEST(Wildcard, WindowsPatternRules) {
  using winport::MatchFileName;
  EXPECT_TRUE(MatchFileName("*.*", "noext"));
  EXPECT_TRUE(MatchFileName("*.*", ".profile"));
  EXPECT_TRUE(MatchFileName("*.txt", "a.b.TXT"));
  EXPECT_FALSE(MatchFileName("*.txt", "a.txt.bak"));
  EXPECT_TRUE(MatchFileName("a?.txt", "a.txt"));
  EXPECT_TRUE(MatchFileName("a?.txt", "ab.txt"));
  EXPECT_FALSE(MatchFileName("a?.txt", "abc.txt"));
  EXPECT_TRUE(MatchFileName("*.", "name"));
  EXPECT_FALSE(MatchFileName("*.", "name.ext"));
  EXPECT_TRUE(MatchFileName("x*y*z", "xaaybbz"));
  EXPECT_FALSE(MatchFileName("*a*a*a*a*a*b", std::string(200, 'a')));
}

}  // namespace
