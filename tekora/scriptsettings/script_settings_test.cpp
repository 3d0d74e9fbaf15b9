// PAScriptSettings through the exported interface: the default block, the
// rules that keep read values in range, the capital rule, and what Write
// puts into a script.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::CrLf;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

std::string WithCrLf(const std::string& text) {
  std::string result;
  for (char c : text) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

// The default block as it stands in a script: CR LF line ends.
std::string DefaultBlock() {
  CString block;
  PAScriptSettings::LoadDefaultBlock(block);
  return WithCrLf(std::string(block)) + "\r\n";
}

// Every field but the script path, for comparisons that show all of them.
std::string Fields(const PAScriptSettings& s) {
  return "Title=" + std::string(s.GetTitle()) + "|Description=" + std::string(s.GetDescription()) +
         "|Version=" + std::string(s.GetVersion()) + "|RunOnlyOnce=" + std::string(s.GetRunOnlyOnce()) +
         "|BasedOn=" + std::string(s.GetBasedOn()) + "|Guid=" + std::string(s.GetGuid()) +
         "|Default=" + std::to_string(s.GetDefault()) + "|IgnoreErrors=" + std::to_string(s.GetIgnoreErrors()) +
         "|NewInst=" + std::to_string(s.GetNewInst()) + "|Upgrade=" + std::to_string(s.GetUpgrade()) +
         "|Display=" + std::to_string(s.GetDisplay()) + "|Priority=" + std::to_string(s.GetPriority()) +
         "|Application=" + std::to_string(s.GetApplication()) + "|Locale=" + std::to_string(s.GetLocale());
}

bool IsBracedGuid(const std::string& text) {
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
  for (size_t i = 1; i < 37; ++i) {
    const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    const char c = text[i];
    if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  }
  return true;
}

class ScriptSettingsTest : public testsupport::IsolatedTest {
 protected:
  // Writes a script into the test's folder; the result is its Windows path.
  std::string Script(const std::string& bytes, const char* name = "proc.sql") {
    WriteBytes(dir.file(name), bytes);
    return dir.winPath(name);
  }
  std::string Bytes(const char* name = "proc.sql") { return ReadBytes(dir.file(name)); }

  // Reads a block made of the given key lines.
  std::string ReadBlock(std::initializer_list<const char*> keys) {
    std::string block = "/*VOXTAG\r\n[Settings]\r\n";
    for (const char* key : keys) block += std::string(key) + "\r\n";
    block += "[SettingsEnd]\r\nVOXTAG*/\r\n";
    PAScriptSettings settings;
    settings.Read(Script(block).c_str(), 0);
    return Fields(settings);
  }
};

TEST_F(ScriptSettingsTest, ConstructedRecord) {
  PAScriptSettings settings;
  EXPECT_EQ(
      "Title=|Description=|Version=|RunOnlyOnce=|BasedOn=|Guid=|Default=1|IgnoreErrors=0|NewInst=0|Upgrade=0"
      "|Display=1|Priority=0|Application=-1|Locale=0",
      Fields(settings));
  EXPECT_STREQ("", settings.GetScriptPath());
  EXPECT_EQ(1, settings.Write());  // no script to write into: nothing happens
}

TEST_F(ScriptSettingsTest, DefaultBlockText) {
  CString block("old");
  EXPECT_NE(0, PAScriptSettings::LoadDefaultBlock(block));
  EXPECT_EQ(199, block.GetLength());
  EXPECT_STREQ(
      "/*VOXTAG\n[Settings]\nApplication=-1\nBasedOn=\nDefault=1\nDescription='neu'\nDisplay=1\nGuid=\n"
      "IgnoreErrors=0\nLocale=0\nNewInst=1\nPriority=1\nRunOnlyOnce=\nTitle='neu'\nUpgrade=0\nVersion=\n"
      "[SettingsEnd]\nVOXTAG*/",
      block);
}

TEST_F(ScriptSettingsTest, DefaultBlockRead) {
  const std::string original = "-- orders\r\n" + DefaultBlock() + "SELECT 1\r\nGO\r\n";
  const std::string path = Script(original);
  PAScriptSettings settings;
  EXPECT_EQ(1, settings.Read(path.c_str(), 0));
  EXPECT_EQ(
      "Title=Neu|Description=Neu|Version=|RunOnlyOnce=|BasedOn=|Guid=|Default=1|IgnoreErrors=0|NewInst=1"
      "|Upgrade=0|Display=1|Priority=1|Application=-1|Locale=0",
      Fields(settings));
  EXPECT_STREQ(path.c_str(), settings.GetScriptPath());
  EXPECT_EQ(original, Bytes());
}

TEST_F(ScriptSettingsTest, CreateGuidFillsTheRecordOnlyUntilWrite) {
  const std::string original = DefaultBlock();
  const std::string path = Script(original);
  PAScriptSettings settings;
  EXPECT_EQ(1, settings.Read(path.c_str(), 1));
  const std::string guid(settings.GetGuid());
  EXPECT_TRUE(IsBracedGuid(guid)) << guid;
  EXPECT_EQ(original, Bytes());  // still "Guid="

  PAScriptSettings other;
  other.Read(path.c_str(), 1);
  EXPECT_NE(guid, std::string(other.GetGuid()));  // a new one each time

  settings.Write();
  EXPECT_NE(std::string::npos, Bytes().find("\r\nGuid=" + guid + "\r\n"));
  PAScriptSettings reread;
  reread.Read(path.c_str(), 1);
  EXPECT_EQ(guid, std::string(reread.GetGuid()));  // a stored GUID is kept
}

TEST_F(ScriptSettingsTest, ScriptWithoutBlockChangesOnlyPathAndPriority) {
  PAScriptSettings settings;
  settings.SetScriptPath("old.sql");
  settings.SetTitle("Kept");
  settings.SetPriority(7);
  settings.SetApplication(4);
  settings.SetDisplay(0);
  const std::string before = Fields(settings);
  const std::string path = Script("SELECT 1\r\nGO\r\n");
  EXPECT_EQ(0, settings.Read(path.c_str(), 1));
  EXPECT_STREQ(path.c_str(), settings.GetScriptPath());
  EXPECT_EQ(0, settings.GetPriority());
  settings.SetPriority(7);
  EXPECT_EQ(before, Fields(settings));

  // A missing script, and a block whose Priority is not positive, read the same way.
  EXPECT_EQ(0, settings.Read(dir.winPath("missing.sql").c_str(), 0));
  EXPECT_EQ(0, settings.GetPriority());
  PAScriptSettings negative;
  EXPECT_EQ(0, negative.Read(Script("[Settings]\r\nPriority=-3\r\nTitle=x\r\n").c_str(), 0));
  EXPECT_EQ(-3, negative.GetPriority());
  EXPECT_STREQ("", negative.GetTitle());
}

TEST_F(ScriptSettingsTest, NumbersAreClampedAndFlagsForced) {
  EXPECT_NE(std::string::npos, ReadBlock({"Priority=1", "Application=35"}).find("|Application=20|"));
  EXPECT_NE(std::string::npos, ReadBlock({"Priority=1", "Application=-7"}).find("|Application=-1"));
  EXPECT_NE(std::string::npos, ReadBlock({"Priority=1", "Application=12"}).find("|Application=12"));
  // Keys missing: Application -1, Default and NewInst 1, the other flags 0.
  EXPECT_EQ(
      "Title=|Description=|Version=|RunOnlyOnce=|BasedOn=|Guid=|Default=0|IgnoreErrors=0|NewInst=1|Upgrade=0"
      "|Display=0|Priority=1|Application=-1|Locale=0",
      ReadBlock({"Priority=1"}));
  // Any non-zero number is a set flag.
  EXPECT_EQ(
      "Title=|Description=|Version=|RunOnlyOnce=|BasedOn=|Guid=|Default=1|IgnoreErrors=1|NewInst=1|Upgrade=1"
      "|Display=1|Priority=5|Application=-1|Locale=0",
      ReadBlock({"Priority=5", "NewInst=-2", "Upgrade=9", "Display=3", "Default=7", "IgnoreErrors=100"}));
  // Neither a new installation nor an upgrade: not displayed, not a default.
  EXPECT_NE(std::string::npos,
            ReadBlock({"Priority=1", "NewInst=0", "Upgrade=0", "Display=1", "Default=1"})
                .find("|Default=0|IgnoreErrors=0|NewInst=0|Upgrade=0|Display=0|"));
  // An upgrade alone keeps it displayed; not displayed means not a default.
  EXPECT_NE(std::string::npos, ReadBlock({"Priority=1", "NewInst=0", "Upgrade=1", "Display=1", "Default=1"})
                                   .find("|Default=1|IgnoreErrors=0|NewInst=0|Upgrade=1|Display=1|"));
  EXPECT_NE(std::string::npos,
            ReadBlock({"Priority=1", "Display=0", "Default=1"}).find("|Default=0|IgnoreErrors=0|NewInst=1"));
}

TEST_F(ScriptSettingsTest, LocaleMustBeSupported) {
  EXPECT_NE(std::string::npos, ReadBlock({"Priority=1", "Locale=1031"}).find("|Locale=1031"));
  EXPECT_NE(std::string::npos, ReadBlock({"Priority=1", "Locale=12345"}).find("|Locale=0"));
  EXPECT_NE(std::string::npos, ReadBlock({"Priority=1", "Locale=-1"}).find("|Locale=0"));
  EXPECT_NE(std::string::npos, ReadBlock({"Priority=1", "Locale=0"}).find("|Locale=0"));
}

TEST_F(ScriptSettingsTest, TitleAndDescriptionGetCapitals) {
  EXPECT_NE(std::string::npos,
            ReadBlock({"Priority=1", "Title='neu'", "Description='orders: load data'"})
                .find("Title=Neu|Description=Orders: Load data|"));
  // White space after the colon becomes one blank.
  EXPECT_NE(std::string::npos, ReadBlock({"Priority=1", "Description=a b:    \tc"}).find("|Description=A b: C|"));
  // No blank: only the first letter.
  EXPECT_NE(std::string::npos, ReadBlock({"Priority=1", "Description=a:b"}).find("|Description=A:b|"));
  // No colon: only the first letter.
  EXPECT_NE(std::string::npos, ReadBlock({"Priority=1", "Title=two words"}).find("Title=Two words|"));
  // A quote on one side only goes too.
  EXPECT_NE(std::string::npos, ReadBlock({"Priority=1", "Title='open", "Description=close'"})
                                   .find("Title=Open|Description=Close|"));
}

TEST_F(ScriptSettingsTest, StripQuotes) {
  PAScriptSettings settings;
  const char* cases[][2] = {{"'neu'", "neu"}, {"'neu", "neu"}, {"neu'", "neu"}, {"'", ""},
                            {"''", ""},       {"", ""},        {"n'e'u", "n'e'u"}, {"\"neu\"", "\"neu\""}};
  for (const auto& c : cases) {
    CString text(c[0]);
    settings.StripQuotes(text);
    EXPECT_STREQ(c[1], text) << c[0];
  }
}

TEST_F(ScriptSettingsTest, WriteIntoTheDefaultBlock) {
  const std::string path = Script("-- orders\r\n" + DefaultBlock() + "SELECT 1\r\nGO\r\n");
  PAScriptSettings settings;
  ASSERT_EQ(1, settings.Read(path.c_str(), 0));
  settings.SetPriority(40);
  settings.SetApplication(3);
  settings.SetBasedOn("base.sql");
  settings.SetGuid("{41F2BBD0-D9BD-11D1-8E97-0020AFF4C1F6}");
  settings.SetLocale(1031);
  settings.SetRunOnlyOnce("IF 1=1");
  settings.SetVersion("2.1");
  settings.SetUpgrade(1);
  EXPECT_EQ(1, settings.Write());
  EXPECT_EQ(CrLf({"-- orders", "/*VOXTAG", "[Settings]", "Application=3", "BasedOn=base.sql", "Default=1",
                  "Description='Neu'", "Display=1", "Guid={41F2BBD0-D9BD-11D1-8E97-0020AFF4C1F6}", "IgnoreErrors=0",
                  "Locale=1031", "NewInst=1", "Priority=40", "RunOnlyOnce=IF 1=1", "Title='Neu'", "Upgrade=1",
                  "Version=2.1", "[SettingsEnd]", "VOXTAG*/", "SELECT 1", "GO"}),
            Bytes());

  PAScriptSettings reread;
  EXPECT_EQ(1, reread.Read(path.c_str(), 0));
  EXPECT_EQ(Fields(settings), Fields(reread));
}

TEST_F(ScriptSettingsTest, WriteIntoAScriptWithoutBlock) {
  const std::string path = Script("SELECT 1\r\nGO\r\n");
  PAScriptSettings settings;
  EXPECT_EQ(0, settings.Read(path.c_str(), 0));
  settings.SetPriority(3);
  settings.SetTitle("Orders");
  EXPECT_EQ(1, settings.Write());
  EXPECT_EQ(CrLf({"SELECT 1", "GO", "[Settings]", "Application=-1", "BasedOn=", "Default=1", "Description=''",
                  "Display=1", "Guid=", "IgnoreErrors=0", "Locale=0", "NewInst=0", "Priority=3", "RunOnlyOnce=",
                  "Title='Orders'", "Upgrade=0", "Version="}),
            Bytes());
}

TEST_F(ScriptSettingsTest, BlockInRealSqlChangesOnlyTheChangedValues) {
  // LF and CR LF line ends mixed, SQL lines with "=" and brackets around the
  // block, and no line end after the last line.
  const std::string head =
      "-- Creates the order table.\r\n"
      "IF OBJECT_ID('dbo.Orders') IS NOT NULL DROP TABLE [dbo].[Orders]\n"
      "GO\r\n"
      "   \r\n";
  const std::string block =
      "/*VOXTAG\r\n"
      "[Settings]\r\n"
      "Application=3\r\n"
      "BasedOn=base.sql\r\n"
      "Default=1\r\n"
      "Description='Orders: Create the table'\r\n"
      "Display=1\r\n"
      "Guid={0F0E0D0C-0B0A-0908-0706-050403020100}\r\n"
      "IgnoreErrors=0\r\n"
      "Locale=1031\r\n"
      "NewInst=1\r\n"
      "%PRIORITY%\r\n"
      "RunOnlyOnce=\r\n"
      "Title='Orders'\r\n"
      "%UPGRADE%\r\n"
      "Version=2.1\r\n"
      "[SettingsEnd]\r\n"
      "VOXTAG*/\r\n";
  const std::string tail =
      "CREATE TABLE [dbo].[Orders] (\r\n"
      "  Id int NOT NULL,   -- key = id\n"
      "  Note varchar(40) DEFAULT 'a = b'\r\n"
      ")\r\n"
      "UPDATE Setup SET Priority = 4\r\n"
      "GO";
  auto script = [&](const char* priority, const char* upgrade) {
    std::string text = head + block + tail;
    text.replace(text.find("%PRIORITY%"), 10, priority);
    text.replace(text.find("%UPGRADE%"), 9, upgrade);
    return text;
  };
  const std::string path = Script(script("Priority=20", "Upgrade=1"));
  PAScriptSettings settings;
  ASSERT_EQ(1, settings.Read(path.c_str(), 1));
  settings.SetPriority(30);
  settings.SetUpgrade(0);
  settings.Write();
  EXPECT_EQ(script("Priority=30", "Upgrade=0"), Bytes());

  PAScriptSettings reread;
  ASSERT_EQ(1, reread.Read(path.c_str(), 0));
  EXPECT_EQ(Fields(settings), Fields(reread));
}

}  // namespace
