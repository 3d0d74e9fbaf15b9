// The shared profile cache and the private-profile calls: cached reads and
// writes, the reads that create what they miss, the name lists, WIN.INI.
#include <string.h>

#include <string>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

#include "profile_cache_test_support.h"

namespace {

using testsupport::CrLf;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

// Each test starts and ends with an empty shared cache, so that no test
// saves into another's folder.
class PrivateProfileTest : public ProfileCacheTest {
 protected:
  // The bytes a name-list call leaves in a buffer of `size` (filled with
  // 'x' first, and one guard byte after it), and its result.
  static std::pair<int, std::string> SectionNames(unsigned int size, const char* file) {
    std::string buffer(size + 1, 'x');
    int result = PAGetPrivateProfileSectionNames(&buffer[0], size, file);
    return {result, buffer};
  }
};

TEST_F(PrivateProfileTest, ReadOfAMissingKeyStoresTheTrimmedDefault) {
  char buffer[100];
  EXPECT_EQ(4, PAGetPrivateProfileString("S", "K", "  dflt  ", buffer, sizeof buffer, "x.ini"));
  EXPECT_STREQ("dflt", buffer);
  EXPECT_EQ("", ReadBytes(dir.file("x.ini")));  // created empty, nothing written yet
  EXPECT_EQ(1, PASaveProfiles());
  EXPECT_EQ(CrLf({"[S]", "K=dflt", ""}), ReadBytes(dir.file("x.ini")));
  EXPECT_EQ(0, PASaveProfiles());  // nothing modified any more
}

TEST_F(PrivateProfileTest, StringValuesAreCutToTheBuffer) {
  WriteBytes(dir.file("x.ini"), CrLf({"[S]", "K=abcdef"}));
  char buffer[8];
  memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(3, PAGetPrivateProfileString("S", "K", "", buffer, 4, "x.ini"));
  EXPECT_EQ(std::string("abc\0xxxx", 8), std::string(buffer, 8));
  EXPECT_EQ(0, PAGetPrivateProfileString("S", "K", "", buffer, 0, "x.ini"));
  EXPECT_EQ(0, PAGetPrivateProfileString("S", "K", "", nullptr, 4, "x.ini"));
  EXPECT_EQ(0, PAGetPrivateProfileString("S", "K", "", buffer, 4, ""));
  EXPECT_EQ(0, PAGetPrivateProfileString("", "K", "", buffer, 4, "x.ini"));
  EXPECT_EQ(0, PAGetPrivateProfileString("S", "", "", buffer, 4, "x.ini"));
  EXPECT_EQ(0, PAGetPrivateProfileString("S", "K", "", reinterpret_cast<char*>(16), 4, "x.ini"));
}

TEST_F(PrivateProfileTest, NumbersFromTheCache) {
  WriteBytes(dir.file("n.ini"), CrLf({"[S]", "yes=YES", "abc=abc", "empty=", "num=-12"}));
  EXPECT_EQ(7, PAGetPrivateProfileInt("S", "missing", 7, "n.ini"));
  EXPECT_EQ(1, PAGetPrivateProfileInt("S", "yes", 7, "n.ini"));
  EXPECT_EQ(0, PAGetPrivateProfileInt("S", "abc", 7, "n.ini"));
  EXPECT_EQ(0, PAGetPrivateProfileInt("S", "empty", 7, "n.ini"));
  EXPECT_EQ(-12, PAGetPrivateProfileInt("S", "num", 7, "n.ini"));
  EXPECT_EQ(0, PAGetPrivateProfileInt(nullptr, "num", 7, "n.ini"));
  EXPECT_EQ(0, PAGetPrivateProfileInt("S", nullptr, 7, "n.ini"));
  EXPECT_EQ(0, PAGetPrivateProfileInt("S", "num", 7, ""));
  EXPECT_EQ(1, PASaveProfiles());
  EXPECT_EQ(CrLf({"[S]", "abc=abc", "empty=", "missing=7", "num=-12", "yes=YES", ""}),
            ReadBytes(dir.file("n.ini")));
}

TEST_F(PrivateProfileTest, WritesRemovalsAndTheForcedSave) {
  WriteBytes(dir.file("w.ini"), CrLf({"[S]", "K=1", "[Gone]", "g=1"}));
  // Writing looks the key up in exact case: "k" is a second key.
  EXPECT_EQ(1, PAWritePrivateProfileString("S", "k", "1", "w.ini"));
  EXPECT_EQ(2, PAGetProfileCache()->FindFile(dir.winPath("w.ini").c_str())->FindSection("S")->GetEntryCount());
  // Removal ignores case: both go, one at a time.
  EXPECT_EQ(1, PAWritePrivateProfileString("S", "K", nullptr, "w.ini"));
  EXPECT_EQ(1, PAWritePrivateProfileString("S", "K", nullptr, "w.ini"));
  EXPECT_EQ(0, PAWritePrivateProfileString("S", "K", nullptr, "w.ini"));
  EXPECT_EQ(1, PAWritePrivateProfileString("gone", nullptr, "ignored", "w.ini"));
  EXPECT_EQ(0, PAWritePrivateProfileString("gone", nullptr, nullptr, "w.ini"));
  EXPECT_EQ(1, PAWritePrivateProfileString("New", "v", "  spaced  ", "w.ini"));
  EXPECT_EQ(0, PAWritePrivateProfileString(nullptr, "v", "x", "w.ini"));
  EXPECT_EQ(0, PAWritePrivateProfileString("", "v", "x", "w.ini"));
  EXPECT_EQ(0, PAWritePrivateProfileString("S", "", "x", "w.ini"));
  EXPECT_EQ(0, PAWritePrivateProfileString(nullptr, nullptr, "x", "w.ini"));
  EXPECT_EQ(0, PAWritePrivateProfileString("S", "v", "x", ""));
  EXPECT_EQ(CrLf({"[S]", "K=1", "[Gone]", "g=1"}), ReadBytes(dir.file("w.ini")));  // only memory changed
  EXPECT_EQ(1, PAWritePrivateProfileString(nullptr, nullptr, nullptr, "w.ini"));
  EXPECT_EQ(CrLf({"[New]", "v=  spaced  ", ""}), ReadBytes(dir.file("w.ini")));
  // The forced save writes even an unchanged file.
  WriteBytes(dir.file("w.ini"), "changed on disk");
  EXPECT_EQ(1, PAWritePrivateProfileString(nullptr, nullptr, nullptr, "w.ini"));
  EXPECT_EQ(CrLf({"[New]", "v=  spaced  ", ""}), ReadBytes(dir.file("w.ini")));
}

TEST_F(PrivateProfileTest, OneCachedFileForEverySpellingOfAPath) {
  WriteBytes(dir.file("Same.ini"), CrLf({"[S]", "K=disk"}));
  EXPECT_EQ(1, PAWritePrivateProfileString("S", "K", "memory", "same.ini"));
  char buffer[32];
  const std::string absolute = dir.winPath("SAME.INI");
  EXPECT_EQ(6, PAGetPrivateProfileString("S", "K", "", buffer, sizeof buffer, absolute.c_str()));
  EXPECT_STREQ("memory", buffer);
  EXPECT_EQ(6, PAGetPrivateProfileString("S", "K", "", buffer, sizeof buffer, ".\\sub\\..\\Same.ini"));
  EXPECT_EQ(1, PAGetProfileCache()->GetFileCount());
  // A relative path given to the cache itself is one file with its absolute form.
  EXPECT_EQ(1, PAGetProfileCache()->AddFile("SAME.ini"));
  EXPECT_EQ(1, PAGetProfileCache()->GetFileCount());
  EXPECT_EQ(1, PAGetProfileCache()->RemoveFile(absolute.c_str()));
  EXPECT_EQ(0, PAGetProfileCache()->RemoveFile(absolute.c_str()));
  EXPECT_EQ(0, PAGetProfileCache()->RemoveAllFiles());
}

TEST_F(PrivateProfileTest, FlushThenReadSeesTheDisk) {
  WriteBytes(dir.file("f.ini"), CrLf({"[S]", "K=1"}));
  EXPECT_EQ(1, PAGetPrivateProfileInt("S", "K", 0, "f.ini"));
  WriteBytes(dir.file("f.ini"), CrLf({"[S]", "K=2"}));
  EXPECT_EQ(1, PAGetPrivateProfileInt("S", "K", 0, "f.ini"));  // the cached copy
  EXPECT_EQ(1, PAFlushProfiles());
  EXPECT_EQ(0, PAGetProfileCache()->GetFileCount());
  EXPECT_EQ(2, PAGetPrivateProfileInt("S", "K", 0, "f.ini"));
  EXPECT_EQ(CrLf({"[S]", "K=2"}), ReadBytes(dir.file("f.ini")));  // nothing changed: not rewritten
  EXPECT_EQ(1, PAFlushProfiles());
  EXPECT_EQ(0, PAFlushProfiles());
}

TEST_F(PrivateProfileTest, SaveAllReportsTheLastFileAndRetriesFailures) {
  EXPECT_EQ(1, PAWritePrivateProfileString("S", "K", "1", "a.ini"));
  EXPECT_EQ(1, PAWritePrivateProfileString("S", "K", "1", "b.ini"));
  ASSERT_TRUE(SetFileAttributesA("a.ini", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(1, PASaveProfiles());  // b.ini was saved last
  EXPECT_EQ("", ReadBytes(dir.file("a.ini")));
  EXPECT_EQ(1, PAGetProfileCache()->GetFile(0)->IsModified());
  ASSERT_TRUE(SetFileAttributesA("a.ini", FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(0, PASaveProfiles());  // a.ini now saved; b.ini unchanged, last
  EXPECT_EQ(CrLf({"[S]", "K=1", ""}), ReadBytes(dir.file("a.ini")));
}

TEST_F(PrivateProfileTest, UnreadableFileStillGetsAnEmptyCacheEntry) {
  CreateDirectoryA("dir.ini", nullptr);
  char buffer[16];
  EXPECT_EQ(3, PAGetPrivateProfileString("S", "K", "def", buffer, sizeof buffer, "dir.ini"));
  EXPECT_EQ(1, PAGetProfileCache()->GetFileCount());
  EXPECT_EQ(0, PASaveProfiles());
  EXPECT_EQ(1, PAGetProfileCache()->GetFile(0)->IsModified());
}

TEST_F(PrivateProfileTest, SectionNameListsOfEverySize) {
  WriteBytes(dir.file("l.ini"), CrLf({"[A]", "k=1", "[BB]", "k=1"}));
  using R = std::pair<int, std::string>;
  EXPECT_EQ(R(4, std::string("A\0BB\0\0", 6) + std::string(94, '\0') + "x"), SectionNames(100, "l.ini"));
  EXPECT_EQ(R(4, std::string("A\0BB\0\0x", 7)), SectionNames(6, "l.ini"));  // fits exactly
  EXPECT_EQ(R(3, std::string("A\0B\0\0x", 6)), SectionNames(5, "l.ini"));  // a name is cut
  EXPECT_EQ(R(2, std::string("A \0\0x", 5)), SectionNames(4, "l.ini"));
  EXPECT_EQ(R(1, std::string("A\0\0x", 4)), SectionNames(3, "l.ini"));
  EXPECT_EQ(R(0, std::string("\0\0x", 3)), SectionNames(2, "l.ini"));
  EXPECT_EQ(R(0, std::string("\0x", 2)), SectionNames(1, "l.ini"));
  EXPECT_EQ(R(0, std::string("x")), SectionNames(0, "l.ini"));
  EXPECT_EQ(R(0, std::string("\0\0\0x", 4)), SectionNames(3, "empty.ini"));
  EXPECT_EQ(0, PAGetPrivateProfileSectionNames(nullptr, 10, "l.ini"));
  // A null section asks the string call for the same list.
  char buffer[100];
  EXPECT_EQ(4, PAGetPrivateProfileString(nullptr, "ignored", "", buffer, sizeof buffer, "l.ini"));
  EXPECT_EQ(std::string("A\0BB\0\0", 6), std::string(buffer, 6));
}

TEST_F(PrivateProfileTest, KeyNameListsAddTheSection) {
  WriteBytes(dir.file("k.ini"), CrLf({"[S]", "one=1", "two=2"}));
  char buffer[100];
  memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(7, PAGetPrivateProfileKeyNames("S", buffer, sizeof buffer, "k.ini"));
  EXPECT_EQ(std::string("one\0two\0\0", 9), std::string(buffer, 9));
  EXPECT_EQ(7, PAGetPrivateProfileString("S", nullptr, "", buffer, sizeof buffer, "k.ini"));
  EXPECT_EQ(0, PAGetPrivateProfileKeyNames("New", buffer, sizeof buffer, "k.ini"));
  EXPECT_EQ(std::string("\0\0", 2), std::string(buffer, 2));
  EXPECT_EQ(0, PAGetPrivateProfileKeyNames("", buffer, sizeof buffer, "k.ini"));
  EXPECT_EQ(2, PAGetProfileCache()->GetFile(0)->GetSectionCount());
  EXPECT_EQ(1, PAGetProfileCache()->GetFile(0)->IsModified());
}

TEST_F(PrivateProfileTest, WinIniThroughTheSameCache) {
  CString path;
  PAGetWinIniPath(path);
  CString windows;
  ASSERT_EQ(1, PAGetWindowsDirectory(windows));
  EXPECT_EQ(std::string(windows) + "WIN.INI", std::string(path));
  CreateDirectoryA(windows, nullptr);  // the test's own Windows folder on POSIX
  // A section of the test's own: on Windows this is the system's WIN.INI.
  const char* section = "TekoraProfileTest";
  EXPECT_EQ(1, PAWriteProfileString(section, "Wallpaper", "none"));
  char buffer[16];
  EXPECT_EQ(4, PAGetProfileString(section, "Wallpaper", "", buffer, sizeof buffer));
  EXPECT_EQ(5, PAGetProfileInt(section, "Tiles", 5));
  EXPECT_EQ(1, PAGetProfileCache()->GetFileCount());
  EXPECT_EQ(1, PASaveProfiles());
  PAIniFile saved(path);
  ASSERT_EQ(1, saved.Load());
  ASSERT_NE(nullptr, saved.FindSection(section));
  EXPECT_EQ(2, saved.FindSection(section)->GetEntryCount());
  EXPECT_STREQ("5", saved.FindSection(section)->FindEntry("Tiles")->GetValue());
  EXPECT_EQ(1, PAWriteProfileString(section, nullptr, nullptr));
  EXPECT_EQ(1, PASaveProfiles());
  EXPECT_EQ(0, PAProfileReserved());
}

TEST_F(PrivateProfileTest, MakeFullPath) {
  CString path("sub\\..\\x.ini");
  EXPECT_EQ(1, PAMakeFullPath(path));
  EXPECT_EQ(dir.winPath("x.ini"), std::string(path));
  CString empty;
  EXPECT_EQ(0, PAMakeFullPath(empty));
  EXPECT_TRUE(empty.IsEmpty());
}

}  // namespace
