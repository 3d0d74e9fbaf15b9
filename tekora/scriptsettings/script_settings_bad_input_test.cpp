// PAScriptSettings on scripts that are not what they should be: oversized
// values, broken lines, a second "[Settings]", binary bytes, a huge script
// and a read-only one. Each gives the block's own result and leaves the
// script intact.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

namespace {

using namespace std::string_literals;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class ScriptSettingsBadInputTest : public testsupport::IsolatedTest {
 protected:
  std::string Script(const std::string& bytes) {
    WriteBytes(dir.file("proc.sql"), bytes);
    return dir.winPath("proc.sql");
  }
  std::string Bytes() { return ReadBytes(dir.file("proc.sql")); }
};

TEST_F(ScriptSettingsBadInputTest, LongValuesAreCut) {
  const std::string title(300, 't');
  const std::string once(3000, 'r');
  const std::string path = Script("[Settings]\r\nPriority=1\r\nTitle='" + title + "'\r\nRunOnlyOnce=" + once +
                                  "\r\nVersion=" + std::string(300, 'v') + "\r\n[SettingsEnd]\r\nGO\r\n");
  PAScriptSettings settings;
  ASSERT_EQ(1, settings.Read(path.c_str(), 0));
  EXPECT_EQ("T" + std::string(258, 't'), std::string(settings.GetTitle()));
  EXPECT_EQ(std::string(2599, 'r'), std::string(settings.GetRunOnlyOnce()));
  EXPECT_EQ(std::string(259, 'v'), std::string(settings.GetVersion()));

  // Written back, the cut values replace the long lines and nothing else moves.
  settings.Write();
  const std::string after = Bytes();
  EXPECT_NE(std::string::npos, after.find("\r\nTitle='T" + std::string(258, 't') + "'\r\n"));
  EXPECT_NE(std::string::npos, after.find("\r\nRunOnlyOnce=" + std::string(2599, 'r') + "\r\n"));
  EXPECT_EQ(0u, after.find("[Settings]\r\nPriority=1\r\n"));
  EXPECT_EQ(after.size() - 19, after.find("[SettingsEnd]\r\nGO\r\n"));
}

TEST_F(ScriptSettingsBadInputTest, KeysWithoutEqualsSignAreMissing) {
  PAScriptSettings settings;
  EXPECT_EQ(0, settings.Read(Script("[Settings]\r\nPriority\r\nTitle=x\r\n").c_str(), 0));
  EXPECT_EQ(0, settings.GetPriority());

  const std::string original = "[Settings]\r\nPriority=2\r\nTitle\r\nApplication 5\r\n[SettingsEnd]\r\n";
  const std::string path = Script(original);
  ASSERT_EQ(1, settings.Read(path.c_str(), 0));
  EXPECT_STREQ("", settings.GetTitle());
  EXPECT_EQ(-1, settings.GetApplication());
  // Writing gives the line without "=" its value; the unknown line stays.
  settings.Write();
  const std::string after = Bytes();
  EXPECT_NE(std::string::npos, after.find("\r\nTitle=''\r\n"));
  EXPECT_NE(std::string::npos, after.find("\r\nApplication 5\r\n"));
}

TEST_F(ScriptSettingsBadInputTest, TheFirstSettingsSectionCounts) {
  // A "[Settings]" line in the SQL before the block is the section that is
  // read and written; the block after it is left alone.
  CString block;
  PAScriptSettings::LoadDefaultBlock(block);
  const std::string original =
      "PRINT '\r\n[Settings]\r\nPriority=9\r\n'\r\nGO\r\n" + std::string(block) + "\r\nSELECT 1\r\n";
  const std::string path = Script(original);
  PAScriptSettings settings;
  ASSERT_EQ(1, settings.Read(path.c_str(), 0));
  EXPECT_EQ(9, settings.GetPriority());
  EXPECT_STREQ("", settings.GetTitle());
  settings.Write();
  const std::string after = Bytes();
  EXPECT_EQ(0u, after.find("PRINT '\r\n[Settings]\r\nPriority=9\r\n'\r\nGO\r\n"));
  // The keys the first section lacks go after its last line, inside the
  // comment; the block's own section is unchanged.
  EXPECT_NE(std::string::npos, after.find(std::string(block).substr(9)));

  // After the block, such a line changes nothing.
  const std::string later = std::string(block) + "\r\nPRINT '\r\n[Settings]\r\nPriority=9\r\n'\r\n";
  PAScriptSettings second;
  ASSERT_EQ(1, second.Read(Script(later).c_str(), 0));
  EXPECT_EQ(1, second.GetPriority());
}

TEST_F(ScriptSettingsBadInputTest, BinaryBytesInValues) {
  const std::string original =
      "[Settings]\r\nPriority=1\r\nTitle='ab\x01\xff" "cd'\r\nVersion=1\0" "2\r\nDescription=\x80\x81\x82\r\n"
      "[SettingsEnd]\r\n\0\x01\x02\xfe\xff\r\n"s;
  const std::string path = Script(original);
  PAScriptSettings settings;
  ASSERT_EQ(1, settings.Read(path.c_str(), 0));
  EXPECT_EQ("Ab\x01\xff" "cd", std::string(settings.GetTitle()));
  EXPECT_EQ("1", std::string(settings.GetVersion()));  // a zero byte ends a value
  EXPECT_EQ("\x80\x81\x82", std::string(settings.GetDescription()));
  settings.Write();
  const std::string after = Bytes();
  const std::string end = "[SettingsEnd]\r\n\0\x01\x02\xfe\xff\r\n"s;
  EXPECT_EQ(end, after.substr(after.size() - end.size()));
  EXPECT_NE(std::string::npos, after.find("\r\nTitle='Ab\x01\xff" "cd'\r\n"));
  PAScriptSettings reread;
  ASSERT_EQ(1, reread.Read(path.c_str(), 0));
  EXPECT_EQ(std::string(settings.GetTitle()), std::string(reread.GetTitle()));
}

TEST_F(ScriptSettingsBadInputTest, LineBreaksInAValueAreNotWritten) {
  CString block;
  PAScriptSettings::LoadDefaultBlock(block);
  const std::string path = Script(std::string(block) + "\nGO\n");
  PAScriptSettings settings;
  ASSERT_EQ(1, settings.Read(path.c_str(), 0));
  settings.SetTitle("x\nVOXTAG*/\nDROP TABLE Orders");
  settings.SetPriority(2);
  settings.Write();
  const std::string after = Bytes();
  EXPECT_EQ(std::string::npos, after.find("DROP TABLE"));
  EXPECT_NE(std::string::npos, after.find("\nTitle='neu'\n"));  // kept as it was
  EXPECT_NE(std::string::npos, after.find("\nPriority=2\n"));    // the other keys written
}

TEST_F(ScriptSettingsBadInputTest, ReadOnlyScriptStaysAsItWas) {
  CString block;
  PAScriptSettings::LoadDefaultBlock(block);
  const std::string original = std::string(block) + "\r\nGO\r\n";
  const std::string path = Script(original);
  PAScriptSettings settings;
  ASSERT_EQ(1, settings.Read(path.c_str(), 0));
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  settings.SetPriority(8);
  EXPECT_EQ(1, settings.Write());
  EXPECT_EQ(original, Bytes());
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ScriptSettingsBadInputTest, FiftyMegabyteScript) {
  CString block;
  PAScriptSettings::LoadDefaultBlock(block);
  std::string sql;
  const std::string line = "INSERT INTO Orders (Id, Note) VALUES (1, 'Priority = 4');\r\n";
  sql.reserve(50 * 1024 * 1024 + line.size());
  while (sql.size() < 50u * 1024 * 1024) sql += line;
  // Title and Description already as Read leaves them: Priority is the one
  // key that changes.
  std::string text(block);
  for (size_t at; (at = text.find("'neu'")) != std::string::npos;) text.replace(at, 5, "'Neu'");
  const std::string head = "-- big\r\n" + text + "\r\n";
  const std::string path = Script(head + sql);
  PAScriptSettings settings;
  ASSERT_EQ(1, settings.Read(path.c_str(), 0));
  settings.SetPriority(12);
  settings.Write();
  const std::string after = Bytes();
  ASSERT_EQ(head.size() + sql.size() + 1, after.size());  // "Priority=1" became "Priority=12"
  EXPECT_EQ(0, after.compare(head.size() + 1, std::string::npos, sql));
  EXPECT_NE(std::string::npos, after.find("\nPriority=12\n"));
}

}  // namespace
