// The line profile: lines kept as they are, looked up by stored text, with
// the exact-case behaviour of its lookups.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::CrLf;
using testsupport::Exists;
using testsupport::FileNames;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

std::vector<std::string> Lines(const CStringArray& lines) {
  std::vector<std::string> result;
  for (INT_PTR i = 0; i < lines.GetSize(); ++i) result.emplace_back(lines[i]);
  return result;
}

class LineProfileTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    WriteBytes(dir.file("stats.ini"), CrLf({"; note", "[Run_Stats]", "A=1", "", "  B = 2 "}));
    ASSERT_EQ(1, profile.LoadLines("  stats.ini  "));
  }
  PALineProfile profile;
};

TEST_F(LineProfileTest, NormalizedSectionNames) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{" run_stats ", "[RUN_STATS]"}, {"[a]", "[A]"}, {"[open", "[OPEN]"}, {"close]", "[CLOSE]"}, {"", "[]"}};
  for (const Case& c : cases) {
    CString name(c.in);
    PANormalizeSectionName(name);
    EXPECT_STREQ(c.out, name) << c.in;
  }
}

TEST_F(LineProfileTest, LoadKeepsLinesUnderTheirHeaders) {
  EXPECT_EQ((std::vector<std::string>{"\t; note", "[Run_Stats]\tA=1", "[Run_Stats]\tB = 2"}), Lines(profile.GetLines()));
  EXPECT_EQ(0, profile.IsModified());
  EXPECT_STREQ("stats.ini", profile.GetPath());
  ASSERT_EQ(1, profile.SaveLines("copy.ini"));
  EXPECT_EQ(CrLf({"; note", "[Run_Stats]", "A=1", "B = 2"}), ReadBytes(dir.file("copy.ini")));
}

TEST_F(LineProfileTest, LookupsCompareTheUpperCaseLine) {
  CStringArray lines;
  profile.GetSectionLines("run_stats", lines);
  EXPECT_EQ((std::vector<std::string>{"A=1", "B = 2"}), Lines(lines));
  EXPECT_STREQ("[Run_Stats]\tA=1", profile.GetLine("run_stats", " A "));
  // The key is not upper-cased: a lower-case key never matches.
  EXPECT_STREQ("", profile.GetLine("RUN_STATS", "a"));
  EXPECT_STREQ("", profile.GetLine("other", "A"));
}

TEST_F(LineProfileTest, ChangesCompareTheExactLine) {
  // "[Run_Stats]\tA=" is not "[RUN_STATS]\tA=": the line is appended.
  profile.SetLine("run_stats", "A", "5");
  EXPECT_EQ(1, profile.IsModified());
  EXPECT_EQ("[RUN_STATS]\tA=5", Lines(profile.GetLines()).back());
  profile.SetLine("RUN_STATS", " A ", "6");  // now found: replaced
  EXPECT_EQ(4, profile.GetLines().GetSize());
  EXPECT_EQ("[RUN_STATS]\tA=6", Lines(profile.GetLines()).back());
  ASSERT_EQ(1, profile.SaveLines(""));  // the loaded file
  EXPECT_EQ(CrLf({"; note", "[Run_Stats]", "A=1", "B = 2", "", "[RUN_STATS]", "A=6"}),
            ReadBytes(dir.file("stats.ini")));
  EXPECT_EQ(1, profile.IsModified());  // saving leaves the flag

  profile.DeleteLine("run_stats", "A");
  EXPECT_EQ(3, profile.GetLines().GetSize());
  profile.DeleteLine("run_stats", "A");
  EXPECT_EQ(3, profile.GetLines().GetSize());
}

TEST_F(LineProfileTest, SettingTheSameValueIsNoChange) {
  PALineProfile fresh;
  fresh.SetLine("S", "k", "1");
  ASSERT_EQ(1, fresh.SaveLines("fresh.ini"));
  ASSERT_EQ(1, fresh.LoadLines("fresh.ini"));
  EXPECT_EQ((std::vector<std::string>{"[S]\tk=1"}), Lines(fresh.GetLines()));
  fresh.SetLine("S", "k", "1");
  EXPECT_EQ(0, fresh.IsModified());
}

TEST_F(LineProfileTest, UnchangedSaveWritesNothing) {
  WriteBytes(dir.file("stats.ini"), "changed behind our back");
  ASSERT_EQ(1, profile.SaveLines(""));
  ASSERT_EQ(1, profile.SaveLines("stats.ini"));
  EXPECT_EQ("changed behind our back", ReadBytes(dir.file("stats.ini")));
}

TEST_F(LineProfileTest, MissingOrReadOnlyFiles) {
  PALineProfile other;
  EXPECT_EQ(0, other.LoadLines("missing.ini"));
  EXPECT_STREQ("", other.GetPath());
  ASSERT_TRUE(SetFileAttributesA("stats.ini", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(0, other.LoadLines("stats.ini"));  // must be writable too
  // A failed save is not reported and leaves the file.
  profile.SetLine("S", "k", "v");
  EXPECT_EQ(1, profile.SaveLines(""));
  EXPECT_EQ(CrLf({"; note", "[Run_Stats]", "A=1", "", "  B = 2 "}), ReadBytes(dir.file("stats.ini")));
  ASSERT_TRUE(SetFileAttributesA("stats.ini", FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(1, profile.SaveLines("no\\such\\folder\\x.ini"));
  EXPECT_EQ((std::vector<std::string>{"stats.ini"}), FileNames(dir.path()));
}

TEST_F(LineProfileTest, BinaryLinesSurviveARoundTrip) {
  std::string text = "[S]\r\nbin=";
  for (int c = 1; c < 256; ++c) {
    if (c != '\r' && c != '\n') text += static_cast<char>(c);
  }
  text += "\r\nlong=" + std::string(1 << 20, 'L') + "\r\n";
  WriteBytes(dir.file("bin.ini"), text);
  PALineProfile binary;
  ASSERT_EQ(1, binary.LoadLines("bin.ini"));
  binary.SetLine("S", "added", "1");
  ASSERT_EQ(1, binary.SaveLines("bin.ini"));
  EXPECT_EQ(text + "added=1\r\n", ReadBytes(dir.file("bin.ini")));
}

// A header holding a TAB or a NUL byte, and a line holding "]" and a TAB,
// are written back as they were read.
TEST_F(LineProfileTest, HeadersWithTabsAndNulBytesSurviveARoundTrip) {
  const std::string texts[] = {"[a\tb]\r\nk=v\r\n", std::string("[a\0]\r\nk=v\r\n\r\n[b]\r\nx=1\r\n", 23),
                               "[s]\r\nk=[x]\ty\r\n", "\tx\r\n[a\tb]\r\nk=v\r\n\r\n[c]\r\nk=[d]\te\r\n"};
  for (const std::string& text : texts) {
    WriteBytes(dir.file("odd.ini"), text);
    PALineProfile odd;
    ASSERT_EQ(1, odd.LoadLines("odd.ini"));
    ASSERT_EQ(1, odd.SaveLines("copy.ini"));
    EXPECT_EQ(text.substr(text[0] == '\t' ? 1 : 0), ReadBytes(dir.file("copy.ini")));
  }
}

}  // namespace
