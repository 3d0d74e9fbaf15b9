// GetPrivateProfileStringA, GetPrivateProfileIntA and
// WritePrivateProfileStringA against what Windows does with the same files;
// and the layer's own promise that a write changes no byte outside the
// line it writes.
#include <string.h>
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <testsupport/files.h>
#include <testsupport/platform.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::CrLf;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class ProfileTest : public testsupport::IsolatedTest {
 protected:
  std::string Ini(const std::string& bytes, const char* name = "test.ini") {
    WriteBytes(dir.file(name), bytes);
    return dir.winPath(name);
  }
  std::string Bytes(const char* name = "test.ini") { return ReadBytes(dir.file(name)); }
  // The value as GetPrivateProfileStringA gives it, with "<default>" as default.
  std::string Get(const std::string& path, const char* section, const char* key) {
    char buffer[4096];
    GetPrivateProfileStringA(section, key, "<default>", buffer, sizeof buffer, path.c_str());
    return buffer;
  }
  // A zero-separated list as "a|b|c".
  static std::string List(const char* buffer, DWORD length) {
    std::string result;
    for (DWORD i = 0; i < length; ++i) result += buffer[i] == '\0' ? '|' : buffer[i];
    return result;
  }
};

TEST_F(ProfileTest, ReadsValuesTrimmedAndUnquoted) {
  const std::string path = Ini(CrLf({"[Section]", "plain=value", "  spaced  =   value with blanks  \t",
                                     "double=\"quoted\"", "single='quoted'", "mixed='quoted\"", "lone='",
                                     "inner=a \"b\" c", "empty=", "equals=a=b"}));
  EXPECT_EQ("value", Get(path, "Section", "plain"));
  EXPECT_EQ("value with blanks", Get(path, "Section", "spaced"));
  EXPECT_EQ("quoted", Get(path, "Section", "double"));
  EXPECT_EQ("quoted", Get(path, "Section", "single"));
  EXPECT_EQ("'quoted\"", Get(path, "Section", "mixed"));
  EXPECT_EQ("'", Get(path, "Section", "lone"));
  EXPECT_EQ("a \"b\" c", Get(path, "Section", "inner"));
  EXPECT_EQ("", Get(path, "Section", "empty"));
  EXPECT_EQ("a=b", Get(path, "Section", "equals"));
}

TEST_F(ProfileTest, NamesMatchWithoutRegardToCase) {
  const std::string path = Ini(CrLf({"[SeTTings]", "PriORity=3", "[ Spaced ]   trailing text", "key=x"}));
  EXPECT_EQ("3", Get(path, "settings", "PRIORITY"));
  EXPECT_EQ("x", Get(path, "Spaced", "key"));
  EXPECT_EQ("3", Get(path, " Settings ", " Priority "));
}

TEST_F(ProfileTest, WhatIsNotAKey) {
  const std::string path =
      Ini(CrLf({"before=1", "[s]", "noequals", ";comment=1", "  ", "=nameless", "[t", "after=2"}));
  EXPECT_EQ("<default>", Get(path, "s", "before"));  // lines before the first section belong to none
  EXPECT_EQ("<default>", Get(path, "s", "noequals"));
  if (!testsupport::RunningUnderWine()) {  // Wine finds it
    EXPECT_EQ("<default>", Get(path, "s", ";comment"));
  }
  EXPECT_EQ("2", Get(path, "s", "after"));  // "[t" without "]" is no header
}

TEST_F(ProfileTest, TheFirstSectionAndKeyCount) {
  const std::string path = Ini(CrLf({"[s]", "a=first", "a=second", "[other]", "[S]", "a=third", "b=only here"}));
  EXPECT_EQ("first", Get(path, "s", "a"));
  EXPECT_EQ("<default>", Get(path, "s", "b"));
}

TEST_F(ProfileTest, LineEnds) {
  EXPECT_EQ("1", Get(Ini("[s]\na=1\nb=2"), "s", "a"));
  EXPECT_EQ("2", Get(Ini("[s]\na=1\nb=2"), "s", "b"));
  EXPECT_EQ("2", Get(Ini("[s]\r\na=1\r\nb=2\r\n"), "s", "b"));
}

TEST_F(ProfileTest, Defaults) {
  const std::string path = Ini(CrLf({"[s]", "a=1"}));
  char buffer[32];
  EXPECT_EQ(3u, GetPrivateProfileStringA("s", "missing", "def  ", buffer, sizeof buffer, path.c_str()));
  EXPECT_STREQ("def", buffer);
  EXPECT_EQ(0u, GetPrivateProfileStringA("s", "missing", nullptr, buffer, sizeof buffer, path.c_str()));
  EXPECT_STREQ("", buffer);
  EXPECT_EQ(0u, GetPrivateProfileStringA("nosection", "a", "", buffer, sizeof buffer, path.c_str()));
  if (!testsupport::RunningUnderWine()) {  // Wine leaves the last error
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
  }
}

TEST_F(ProfileTest, MissingFileGivesTheDefault) {
  char buffer[32];
  SetLastError(0);
  EXPECT_EQ(2u, GetPrivateProfileStringA("s", "a", "no", buffer, sizeof buffer, dir.winPath("none.ini").c_str()));
  EXPECT_STREQ("no", buffer);
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST_F(ProfileTest, SmallBuffers) {
  const std::string path = Ini(CrLf({"[s]", "a=abcdef"}));
  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(3u, GetPrivateProfileStringA("s", "a", "", buffer, 4, path.c_str()));
  EXPECT_STREQ("abc", buffer);
  EXPECT_EQ(0u, GetPrivateProfileStringA("s", "a", "", buffer, 1, path.c_str()));
  EXPECT_STREQ("", buffer);
  buffer[0] = 'x';
  EXPECT_EQ(0u, GetPrivateProfileStringA("s", "a", "", buffer, 0, path.c_str()));
  EXPECT_EQ('x', buffer[0]);
  EXPECT_EQ(2u, GetPrivateProfileStringA("s", "missing", "default", buffer, 3, path.c_str()));
  EXPECT_STREQ("de", buffer);
}

TEST_F(ProfileTest, ListsOfSectionsAndKeys) {
  const std::string path = Ini(CrLf({"[one]", "a=1", "b", ";c=3", "[two]", "[three]"}));
  char buffer[64];
  DWORD n = GetPrivateProfileStringA(nullptr, "ignored", "", buffer, sizeof buffer, path.c_str());
  EXPECT_EQ("one|two|three||", List(buffer, n + 1));
  n = GetPrivateProfileStringA("ONE", nullptr, "", buffer, sizeof buffer, path.c_str());
  EXPECT_EQ(testsupport::RunningUnderWine() ? "a||" : "a|b||", List(buffer, n + 1));  // Wine leaves "b" out
  n = GetPrivateProfileStringA("two", nullptr, "", buffer, sizeof buffer, path.c_str());
  EXPECT_EQ(0u, n);
  EXPECT_EQ('\0', buffer[0]);
  // A list that does not fit: cut, two zeros, nSize - 2.
  n = GetPrivateProfileStringA(nullptr, nullptr, "", buffer, 7, path.c_str());
  EXPECT_EQ(5u, n);
  if (!testsupport::RunningUnderWine()) {  // Wine ends it "o"
    EXPECT_EQ("one|t||", List(buffer, 7));
  }
}

// Names that fill the buffer to its last byte, with another name after them:
// the list is cut there, nSize - 2, and ends in two zeros.
TEST_F(ProfileTest, ListsThatFillTheBufferExactly) {
  const std::string path = Ini("[a]\r\nk=1\r\nl=2\r\n[b]\r\n");
  struct Case {
    const char* section;
    DWORD size;
    std::string bytes;
  } cases[] = {{nullptr, 3, std::string("a\0\0x", 4)},
               {"a", 3, std::string("k\0\0x", 4)},
               {"a", 4, std::string("k\0\0\0x", 5)}};
  for (const Case& c : cases) {
    char buffer[8];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(c.size - 2, GetPrivateProfileStringA(c.section, nullptr, "", buffer, c.size, path.c_str()));
    if (!testsupport::RunningUnderWine()) {  // Wine writes one zero only
      EXPECT_EQ(c.bytes, std::string(buffer, c.bytes.size()));
    }
  }
}

TEST_F(ProfileTest, Numbers) {
  const std::string path = Ini(CrLf({"[n]", "plain=42", "negative=-7", "plus=+5", "text=abc", "lead=  12abc",
                                     "hex=0x1F", "empty=", "wrap=4294967297"}) +
                               "long=" + std::string(28, '0') + "1234\r\n");
  const char* p = path.c_str();
  EXPECT_EQ(42u, GetPrivateProfileIntA("n", "plain", 9, p));
  EXPECT_EQ(-7, static_cast<int>(GetPrivateProfileIntA("n", "negative", 9, p)));
  EXPECT_EQ(5u, GetPrivateProfileIntA("n", "plus", 9, p));
  EXPECT_EQ(0u, GetPrivateProfileIntA("n", "text", 9, p));
  EXPECT_EQ(12u, GetPrivateProfileIntA("n", "lead", 9, p));
  EXPECT_EQ(31u, GetPrivateProfileIntA("n", "hex", 9, p));
  EXPECT_EQ(9u, GetPrivateProfileIntA("n", "empty", 9, p));
  EXPECT_EQ(-1, static_cast<int>(GetPrivateProfileIntA("n", "missing", -1, p)));
  EXPECT_EQ(1u, GetPrivateProfileIntA("n", "wrap", 9, p));
  EXPECT_EQ(1u, GetPrivateProfileIntA("n", "long", 9, p));  // only 29 characters count
}

TEST_F(ProfileTest, WriteReplacesTheLineInPlace) {
  if (testsupport::RunningUnderWine()) GTEST_SKIP() << testsupport::kWineRewritesProfiles;
  const std::string path = Ini(CrLf({"; header", "[s]", "first=1", "KeY = old value", "last=3", "", "[t]", "x=y"}));
  EXPECT_TRUE(WritePrivateProfileStringA("s", "key", "new", path.c_str()));
  EXPECT_EQ(CrLf({"; header", "[s]", "first=1", "KeY=new", "last=3", "", "[t]", "x=y"}), Bytes());
}

TEST_F(ProfileTest, WriteOfTheSameValueChangesNothing) {
  const std::string original = CrLf({"[s]", "  key  =  same  "});
  const std::string path = Ini(original);
  EXPECT_TRUE(WritePrivateProfileStringA("s", "key", "same", path.c_str()));
  EXPECT_EQ(original, Bytes());
}

TEST_F(ProfileTest, WriteAddsAKeyAfterTheSectionsLastLine) {
  if (testsupport::RunningUnderWine()) GTEST_SKIP() << testsupport::kWineRewritesProfiles;
  const std::string path = Ini(CrLf({"[s]", "a=1", "", "", "[t]", "b=2"}));
  EXPECT_TRUE(WritePrivateProfileStringA("s", "new", "x", path.c_str()));
  EXPECT_EQ(CrLf({"[s]", "a=1", "new=x", "", "", "[t]", "b=2"}), Bytes());
  EXPECT_TRUE(WritePrivateProfileStringA("t", "c", "3", path.c_str()));
  EXPECT_EQ(CrLf({"[s]", "a=1", "new=x", "", "", "[t]", "b=2", "c=3"}), Bytes());
}

TEST_F(ProfileTest, WriteAddsASectionAtTheEnd) {
  const std::string path = Ini(CrLf({"[s]", "a=1"}));
  EXPECT_TRUE(WritePrivateProfileStringA("New", "k", "v", path.c_str()));
  EXPECT_EQ(CrLf({"[s]", "a=1", "[New]", "k=v"}), Bytes());
}

TEST_F(ProfileTest, WriteCreatesAMissingFile) {
  const std::string path = dir.winPath("new.ini");
  EXPECT_TRUE(WritePrivateProfileStringA("s", "k", "v", path.c_str()));
  EXPECT_EQ(CrLf({"[s]", "k=v"}), Bytes("new.ini"));
}

TEST_F(ProfileTest, WriteDropsLeadingBlanksOfTheValue) {
  const std::string path = Ini(CrLf({"[s]"}));
  EXPECT_TRUE(WritePrivateProfileStringA("s", "k", "  v  ", path.c_str()));
  EXPECT_EQ(CrLf({"[s]", "k=v  "}), Bytes());
}

TEST_F(ProfileTest, WriteKeepsLineEndsAndAMissingFinalLineEnd) {
  if (testsupport::RunningUnderWine()) GTEST_SKIP() << testsupport::kWineRewritesProfiles;
  const std::string path = Ini("SELECT 1\n[s]\na=1");
  EXPECT_TRUE(WritePrivateProfileStringA("s", "b", "2", path.c_str()));
  EXPECT_EQ("SELECT 1\n[s]\na=1\nb=2", Bytes());
  EXPECT_TRUE(WritePrivateProfileStringA("t", "c", "3", path.c_str()));
  EXPECT_EQ("SELECT 1\n[s]\na=1\nb=2\n[t]\nc=3", Bytes());
  EXPECT_TRUE(WritePrivateProfileStringA("t", "c", nullptr, path.c_str()));
  EXPECT_EQ("SELECT 1\n[s]\na=1\nb=2\n[t]", Bytes());
  // Mixed line ends: each line keeps its own.
  const std::string mixed = Ini("[s]\r\na=1\nb=2\r\n[t]\n");
  EXPECT_TRUE(WritePrivateProfileStringA("s", "a", "9", mixed.c_str()));
  EXPECT_EQ("[s]\r\na=9\nb=2\r\n[t]\n", Bytes());
}

TEST_F(ProfileTest, WriteDeletesKeysAndSections) {
  const std::string path = Ini(CrLf({"[s]", "a=1", "b=2", "[t]", "c=3", "[u]"}));
  EXPECT_TRUE(WritePrivateProfileStringA("s", "A", nullptr, path.c_str()));
  EXPECT_EQ(CrLf({"[s]", "b=2", "[t]", "c=3", "[u]"}), Bytes());
  EXPECT_TRUE(WritePrivateProfileStringA("T", nullptr, nullptr, path.c_str()));
  EXPECT_EQ(CrLf({"[s]", "b=2", "[u]"}), Bytes());
  EXPECT_TRUE(WritePrivateProfileStringA("s", "missing", nullptr, path.c_str()));
  EXPECT_EQ(CrLf({"[s]", "b=2", "[u]"}), Bytes());
}

TEST_F(ProfileTest, WriteRefusals) {
  const std::string original = CrLf({"[s]", "a=1"});
  const std::string path = Ini(original);
  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "a", "2", path.c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
  EXPECT_FALSE(WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str()));

  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  if (!testsupport::RunningUnderWine()) {  // Wine as root writes it
    EXPECT_FALSE(WritePrivateProfileStringA("s", "a", "2", path.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
  }
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));

  HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  EXPECT_FALSE(WritePrivateProfileStringA("s", "a", "2", path.c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
  CloseHandle(holder);
  EXPECT_EQ(original, Bytes());
}

// Layer rule: a line break in a name or value would add lines the caller
// did not ask for, so such a write is refused.
TEST_F(ProfileTest, WriteRefusesLineBreaks) {
  if (testsupport::OnWindows()) GTEST_SKIP() << testsupport::kLayerRule;
  const std::string original = CrLf({"[s]", "a=1"});
  const std::string path = Ini(original);
  EXPECT_FALSE(WritePrivateProfileStringA("s", "a", "2\r\n[t]\r\nb=3", path.c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
  EXPECT_FALSE(WritePrivateProfileStringA("s", "a\nb", "2", path.c_str()));
  EXPECT_FALSE(WritePrivateProfileStringA("s\n", "a", "2", path.c_str()));
  EXPECT_EQ(original, Bytes());
}

TEST_F(ProfileTest, WriteLeavesNoTemporaryFileBehind) {
  const std::string path = Ini(CrLf({"[s]", "a=1"}));
  EXPECT_TRUE(WritePrivateProfileStringA("s", "a", "2", path.c_str()));
  EXPECT_EQ(std::vector<std::string>{"test.ini"}, testsupport::FileNames(dir.path()));
}

TEST_F(ProfileTest, FileNameWithoutFolderIsInTheWindowsDirectory) {
  char windows[MAX_PATH];
  ASSERT_NE(0u, GetWindowsDirectoryA(windows, sizeof windows));
  EXPECT_TRUE(WritePrivateProfileStringA("s", "k", "v", "tekora-test.ini"));
  EXPECT_EQ("v", Get("tekora-test.ini", "s", "k"));
  EXPECT_EQ("v", Get(std::string(windows) + "\\tekora-test.ini", "s", "k"));
  DeleteFileA((std::string(windows) + "\\tekora-test.ini").c_str());
}

TEST_F(ProfileTest, SectionsFarIntoALargeFile) {
  // Sections and keys beyond the first pieces a read takes.
  const std::string filler = std::string(200000, 'x') + "\r\n";
  const std::string original =
      "[early]\r\nkey=1\r\n" + filler + "more=2\r\n[s]\r\n" + filler + "a=1\r\n" + filler + "[t]\r\n" + filler;
  const std::string path = Ini(original);
  EXPECT_EQ("2", Get(path, "early", "more"));
  EXPECT_EQ("1", Get(path, "s", "a"));
  char buffer[64];
  const DWORD n = GetPrivateProfileStringA(nullptr, nullptr, "", buffer, sizeof buffer, path.c_str());
  EXPECT_EQ("early|s|t||", List(buffer, n + 1));

  // A key added to a section that goes on past the first pieces lands at its end.
  EXPECT_TRUE(WritePrivateProfileStringA("early", "new", "3", path.c_str()));
  std::string expected = original;
  expected.insert(expected.find("[s]"), "new=3\r\n");
  EXPECT_EQ(expected, Bytes());
  EXPECT_TRUE(WritePrivateProfileStringA("s", "a", "9", path.c_str()));
  expected.replace(expected.find("a=1"), 3, "a=9");
  EXPECT_EQ(expected, Bytes());
  EXPECT_TRUE(WritePrivateProfileStringA("s", nullptr, nullptr, path.c_str()));
  expected.erase(expected.find("[s]"), expected.find("[t]") - expected.find("[s]"));
  EXPECT_EQ(expected, Bytes());
}

}  // namespace
