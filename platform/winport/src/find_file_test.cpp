// FindFirstFileA / FindNextFileA with the Windows pattern rules.
#include <stdio.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "testsupport/files.h"
#include "testsupport/platform.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::WriteBytes;

class FindFileTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDirectoryA("Proj", nullptr));
    ASSERT_TRUE(CreateDirectoryA("Proj\\Sub", nullptr));
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
    // Windows hands the names out in the file system's order: NTFS sorts
    // them without regard to case, as the layer does; Wine keeps the order
    // of the Linux file system underneath, so its names are sorted here.
    if (testsupport::RunningUnderWine())
      std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return (a == "." || a == "..") != (b == "." || b == "..") ? (a == "." || a == "..")
                                                                    : lstrcmpiA(a.c_str(), b.c_str()) < 0;
      });
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
  if (testsupport::RunningUnderWine()) GTEST_SKIP() << "Wine matches every name with \"*.\" (docs/windows-build.md)";
  // "." and ".." count as names without an extension, as on Windows.
  EXPECT_EQ((Names{".", "..", "README", "Sub"}), Find("proj\\*."));
}

TEST_F(FindFileTest, QuestionMarkRules) {
  if (testsupport::RunningUnderWine()) GTEST_SKIP() << "Wine's \"?\" rules differ (docs/windows-build.md)";
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

// A name without wildcards finds the entry the folder's listing holds for
// it: the name as written, else the one that matches it without regard to
// case (the first in byte order when several do), with the same details.
TEST_F(FindFileTest, NameFindsWhatTheListingHoldsForIt) {
  const bool collide = !testsupport::OnWindows();  // names that differ in case only
  std::vector<std::string> names;
  unsigned seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
  auto recase = [&next](std::string name) {
    for (char& c : name)
      if (next() % 2) c = static_cast<char>(c ^ 0x20 * (isalpha(static_cast<unsigned char>(c)) != 0));
    return name;
  };
  for (int i = 0; i < 40; ++i) {
    const std::string name = recase("f" + std::to_string(next() % 12) + (next() % 2 ? ".ini" : "x"));
    // Where names are found without regard to case, one entry per name.
    WIN32_FIND_DATAA probe;
    HANDLE h = FindFirstFileA(("Proj\\Sub\\" + name).c_str(), &probe);
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    const bool taken = collide ? testsupport::Exists(dir.file("Proj/Sub/" + name)) : h != INVALID_HANDLE_VALUE;
    if (!taken) {
      if (next() % 3) WriteBytes(dir.file("Proj/Sub/" + name), std::string(next() % 50, 'x'));
      else testsupport::MakeDirs(dir.file("Proj/Sub/" + name));
    }
    names.push_back(name);
  }
  std::vector<WIN32_FIND_DATAA> listing;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("Proj\\Sub\\*", &data);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  do listing.push_back(data);
  while (FindNextFileA(h, &data));
  FindClose(h);

  for (int i = 0; i < 200; ++i) {
    // Now and then a name that may exist nowhere.
    const std::string wanted =
        recase(i % 5 == 0 ? "f" + std::to_string(next() % 15) + ".ini" : names[next() % names.size()]);
    const WIN32_FIND_DATAA* exact = nullptr;
    const WIN32_FIND_DATAA* folded = nullptr;
    for (const WIN32_FIND_DATAA& entry : listing) {
      if (wanted == entry.cFileName) exact = &entry;
      if (lstrcmpiA(wanted.c_str(), entry.cFileName) == 0 &&
          (!folded || strcmp(entry.cFileName, folded->cFileName) < 0))
        folded = &entry;
    }
    const WIN32_FIND_DATAA* expected = exact ? exact : folded;
    for (const std::string& folder : {std::string("Proj\\Sub\\"), std::string("PROJ\\sub\\")}) {
      SCOPED_TRACE(folder + wanted);
      h = FindFirstFileA((folder + wanted).c_str(), &data);
      if (!expected) {
        EXPECT_EQ(INVALID_HANDLE_VALUE, h);
        EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
        continue;
      }
      ASSERT_NE(INVALID_HANDLE_VALUE, h);
      WIN32_FIND_DATAA more;
      EXPECT_FALSE(FindNextFileA(h, &more));
      FindClose(h);
      EXPECT_STREQ(expected->cFileName, data.cFileName);
      EXPECT_EQ(expected->dwFileAttributes, data.dwFileAttributes);
      EXPECT_EQ(expected->nFileSizeLow, data.nFileSizeLow);
      EXPECT_EQ(expected->ftLastWriteTime.dwLowDateTime, data.ftLastWriteTime.dwLowDateTime);
    }
  }
}

// The layer reads each entry's details when it hands the entry out, through
// the folder it opened for the listing.
TEST_F(FindFileTest, EntriesAreDescribedWhenHandedOut) {
  if (testsupport::OnWindows()) GTEST_SKIP() << testsupport::kLayerRule;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("proj\\*", &data);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_STREQ(".", data.cFileName);
  ASSERT_EQ(0, remove(dir.file("Proj/b.sql").c_str()));
  WriteBytes(dir.file("Proj/notes.txt"), "1234567");
  // The folder goes on being listed under its new name.
  ASSERT_EQ(0, rename(dir.file("Proj").c_str(), dir.file("Moved").c_str()));
  Names names;
  DWORD notesSize = 0;
  while (FindNextFileA(h, &data)) {
    names.push_back(data.cFileName);
    if (names.back() == "notes.txt") notesSize = data.nFileSizeLow;
  }
  FindClose(h);
  EXPECT_EQ((Names{"..", "A.SQL", "notes.txt", "README", "Sub"}), names);
  EXPECT_EQ(7u, notesSize);
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

// A folder named in another case than on disk is listed as the folder named
// as written would be; what is no folder in any case is a missing path.
TEST_F(FindFileTest, FolderNamedInAnotherCaseListsAsNamedAsWritten) {
  testsupport::MakeDirs(dir.file("Proj/Sub/Deep"));
  WriteBytes(dir.file("Proj/Sub/Deep/x.ini"), "");
  EXPECT_EQ(Find("Proj\\Sub\\*"), Find("proj\\SUB\\*"));
  EXPECT_EQ(Find("Proj\\Sub\\Deep\\*.ini"), Find("PROJ\\sub\\deep\\*.ini"));
  EXPECT_EQ(Find("Proj\\Sub\\Deep\\*.ini"), Find("Proj\\sub\\Deep\\*.INI"));
  if (!testsupport::OnWindows()) {
    // A folder that comes to exist as written after a case mismatch is the
    // one listed, and the other again once it is gone.
    testsupport::MakeDirs(dir.file("Proj/sub/Other"));
    for (int again = 0; again < 2; ++again) EXPECT_EQ(Find("Proj\\sub\\*"), Find("PROJ\\sub\\*"));
    ASSERT_TRUE(RemoveDirectoryA(dir.file("Proj/sub/Other").c_str()));
    ASSERT_TRUE(RemoveDirectoryA(dir.file("Proj/sub").c_str()));
    for (int again = 0; again < 2; ++again) EXPECT_EQ(Find("Proj\\Sub\\*"), Find("PROJ\\sub\\*"));
    // A file listed as a folder is a missing path in any case. (Windows
    // answers with another code of its own: Wine gives ERROR_INVALID_NAME.)
    EXPECT_EQ((Names{"<none:3>"}), Find("proj\\a.sql\\*"));
    EXPECT_EQ((Names{"<none:3>"}), Find("Proj\\A.SQL\\*"));
  }
  EXPECT_EQ((Names{"<none:3>"}), Find("proj\\sub\\missing\\*"));
  if (!testsupport::MakeDirectoryLink(dir.file("Gone"), dir.file("Proj/Dangling"))) return;
  EXPECT_EQ((Names{"<none:3>"}), Find("proj\\dangling\\*"));
  EXPECT_EQ((Names{"<none:3>"}), Find("Proj\\Dangling\\*"));
}

// A walk of a tree must tell a link from a folder, or a link back up the
// tree never lets it end.
TEST_F(FindFileTest, LinksToFoldersCarryTheReparseMark) {
  if (!testsupport::MakeDirectoryLink(dir.file("Proj"), dir.file("Proj/Sub/Up")))
    GTEST_SKIP() << "no symbolic links here";
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("proj\\sub\\up", &data);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  FindClose(h);
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT),
            data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
  EXPECT_EQ(static_cast<DWORD>(IO_REPARSE_TAG_SYMLINK), data.dwReserved0);
  // The folder it leads to is a plain folder.
  h = FindFirstFileA("proj\\sub", &data);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  FindClose(h);
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY),
            data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
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
  EXPECT_FALSE(names.empty());
}

TEST_F(FindFileTest, FindCloseOnlyClosesSearches) {
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("proj\\*", &data);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  if (testsupport::RunningUnderWine()) {
    EXPECT_TRUE(FindClose(h));  // Wine's searches are kernel handles that CloseHandle would end
    return;
  }
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_TRUE(FindClose(h));
  EXPECT_FALSE(FindClose(h));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
}

}  // namespace
