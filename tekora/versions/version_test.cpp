// Version records: the schemes, the version variables, the user variables
// and the defaults of a new record.
#include <time.h>

#include <string>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/temp_dir.h>

#include <testsupport/files.h>
#include <testsupport/platform.h>

namespace {

class VersionTest : public testsupport::IsolatedTest {
 protected:
  // Sets the four numbers.
  static void SetNumbers(PAVerInternNums& record, int n1, int n2, int n3, int n4) {
    record.SetNumber(0, n1);
    record.SetNumber(1, n2);
    record.SetNumber(2, n3);
    record.SetNumber(3, n4);
  }
  static std::string Version(const PAVerInternNums& record, char separator = '.') {
    CString text;
    record.FormatVersion(text, separator);
    return std::string(text);
  }
  static std::string Variable(PAVersion& record, int index) {
    CString text("unchanged");
    return record.FormatVariable(index, text) ? std::string(text) : "<none:" + std::string(text) + ">";
  }
  // 1 February 2007, a Thursday.
  static PAVersionTime FirstOfFebruary2007() { return PAVersionTime{0, 0, 12, 1, 2, 2007, 4, 32, 0}; }
};

TEST_F(VersionTest, NewRecordIsVersionOneOfThisYear) {
  const time_t now = time(nullptr);
  const int year = localtime(&now)->tm_year + 1900;
  PAVersion record;
  EXPECT_EQ("1.0.0.0", Version(record));
  EXPECT_EQ(6, record.GetFormat());
  EXPECT_EQ(year, record.GetFirstYear());
  EXPECT_EQ(year, record.GetCurrentYear());
  EXPECT_EQ(year, record.GetResetTime().nYear);
  EXPECT_EQ(1200, record.GetCodePage());
  EXPECT_EQ(static_cast<int>(GetUserDefaultLCID()), record.GetLCID());
  EXPECT_EQ(0, record.IsLegacyHeader());
  // Two random capital letters name the module, and the prefix follows.
  const std::string module = record.GetModuleName();
  ASSERT_EQ(2u, module.size());
  for (char c : module) EXPECT_TRUE(c >= 'A' && c <= 'Z') << module;
  EXPECT_EQ(module + "_VER", record.GetPrefix());
  EXPECT_STREQ("%P_INC_%M_%E", record.GetGuardPattern());
  EXPECT_EQ(nullptr, record.GetNextUserVariableName(nullptr));
}

TEST_F(VersionTest, EachSchemeCountsUpAndWritesItsNumbers) {
  PAVerInternNums record;
  record.SetResetTime(FirstOfFebruary2007());
  struct Case {
    int scheme;
    const char* counted;  // 2.3.4.99 counted up once, written with "."
    const char* shortText;
  } cases[] = {
      {0, "2.3.4.100", "23"}, {1, "2.3.50", "23"},      {2, "2.3.17032", "23"},  {3, "2007.2.1", "2007"},
      {4, "2.3.5.99", "23"},  {5, "2.4.4.99", "24"},    {6, "2.3.4.7032", "23"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(1, record.SetFormat(c.scheme));
    SetNumbers(record, 2, 3, 4, 99);
    ASSERT_EQ(1, record.Increment()) << c.scheme;
    EXPECT_EQ(c.counted, Version(record)) << "scheme " << c.scheme;
    CString shortText;
    EXPECT_EQ(1, record.FormatShortVersion(shortText));
    EXPECT_STREQ(c.shortText, shortText) << "scheme " << c.scheme;
  }
  // Scheme 1 carries number 4 over into number 3; scheme 3 clears number 4.
  record.SetFormat(1);
  SetNumbers(record, 2, 3, 4, 99);
  record.Increment();
  EXPECT_EQ(5, record.GetNumber(2));
  EXPECT_EQ(0, record.GetNumber(3));
}

TEST_F(VersionTest, SeparatorsAndBadValues) {
  PAVerInternNums record;
  SetNumbers(record, 1, 2, 3, 4);
  record.SetFormat(0);
  EXPECT_EQ("1.2.3.4", Version(record, 0));
  EXPECT_EQ("1,2,3,4", Version(record, ','));
  EXPECT_EQ("1_2_3_4", Version(record, '_'));

  for (int bad : {7, -1}) EXPECT_EQ(0, record.SetFormat(bad)) << bad;
  EXPECT_EQ(0, record.GetFormat());
  EXPECT_EQ(-1, record.GetNumber(4));
  EXPECT_EQ(-1, record.GetNumber(-1));
  EXPECT_EQ(0, record.SetNumber(4, 1));
  EXPECT_EQ(0, record.SetNumber(-1, 1));
}

TEST_F(VersionTest, LocaleAndCodePageChecks) {
  PAVerInternNums record;
  ASSERT_EQ(1, record.SetLCID(0x0807));
  EXPECT_EQ(0, record.SetLCID(12345));
  EXPECT_EQ(0x0807, record.GetLCID());
  CString name;
  EXPECT_EQ(1, record.GetLocaleName(name));
  EXPECT_STREQ("de-CH", name);

  for (int codePage : {0, 1200, 1252, 850, 65001}) EXPECT_EQ(1, record.SetCodePage(codePage)) << codePage;
  for (int codePage : {1201, 12345, -1}) EXPECT_EQ(0, record.SetCodePage(codePage)) << codePage;
  EXPECT_EQ(65001, record.GetCodePage());
}

TEST_F(VersionTest, TextSettersCheckTheirArguments) {
  PAVersion record;
  const std::string prefix = record.GetPrefix();
  EXPECT_EQ(0, record.SetPrefix("9AB"));
  EXPECT_EQ(0, record.SetPrefix(""));
  EXPECT_EQ(0, record.SetPrefix(nullptr));
  EXPECT_EQ(prefix, record.GetPrefix());
  EXPECT_EQ(1, record.SetPrefix("ab_ver"));
  EXPECT_STREQ("AB_VER", record.GetPrefix());

  EXPECT_EQ(1, record.SetCompanyName("Firm"));
  EXPECT_EQ(0, record.SetCompanyName(""));
  EXPECT_EQ(0, record.SetCompanyName(nullptr));
  EXPECT_STREQ("Firm", record.GetCompanyName());
  EXPECT_EQ(1, record.SetExecutableName("tool.exe"));
  EXPECT_EQ(0, record.SetExecutableName(""));
  EXPECT_STREQ("tool.exe", record.GetExecutableName());
  EXPECT_EQ(1, record.SetFileDescription(""));
  EXPECT_EQ(1, record.SetProductDescription("Suite"));

  CString letters;
  EXPECT_EQ(1, record.MakeRandomLetters(letters, 40));
  EXPECT_EQ(40, letters.GetLength());
  EXPECT_EQ(letters.SpanIncluding("ABCDEFGHIJKLMNOPQRSTUVWXYZ").GetLength(), 40);
  EXPECT_EQ(0, record.MakeRandomLetters(letters, 0));
}

TEST_F(VersionTest, CopyrightNamesTheYears) {
  PAVersion record;
  record.SetCompanyName("Firm Ltd");
  record.SetFirstYear(2001);
  record.SetCurrentYear(2007);
  CString text;
  record.FormatCopyright(text);
  EXPECT_STREQ("Copyright (C)2001-2007 Firm Ltd", text);
  record.SetFirstYear(2007);
  record.FormatCopyright(text);
  EXPECT_STREQ("Copyright (C)2007 Firm Ltd", text);
  record.SetFirstYear(2009);  // a first year after the current one names itself only
  record.FormatCopyright(text);
  EXPECT_STREQ("Copyright (C)2009 Firm Ltd", text);
}

TEST_F(VersionTest, VersionVariablesAndTheirValues) {
  PAVersion record;
  record.SetPrefix("AB_VER");
  record.SetFormat(0);
  SetNumbers(record, 1, 2, 3, 4);
  record.SetFirstYear(2001);
  record.SetCurrentYear(2007);
  record.SetLCID(0x0807);
  record.SetCodePage(1200);
  record.SetCompanyName("Firm");
  record.SetFileDescription("Merger  \t");
  record.SetProductDescription("");

  EXPECT_EQ(24, record.GetVariableCount());
  const char* names[] = {"_FORMAT",      "_VER1",        "_VER2",       "_VER3",        "_VER4",
                         "_STARTED",     "_LCID",        "_COPA",       "_COMPANY_NAME", "_FILE_DESC",
                         "_PROD_DESC",   "_EXE_NAME",    "_COPYRIGHT",  "_VERSION_CMA", "_VERSION_UND",
                         "_VERSION",     "_SERIAL",      "_SER_TXT",    "_LOCALE_STR",  "_CREATED_BY",
                         "_LINK_VER",    "_PRIVATE_BUILD", "_SPECIAL_BUILD", "_PROD_MSI_EXE"};
  for (int i = 0; i < 24; ++i) {
    CString name;
    EXPECT_EQ(1, record.GetVariableName(i, name));
    EXPECT_STREQ(names[i], name);
  }
  CString name("unchanged");
  EXPECT_EQ(0, record.GetVariableName(24, name));
  EXPECT_STREQ("", name);
  EXPECT_EQ(0, record.GetVariableName(-1, name));
  EXPECT_EQ(1, record.GetMacroName(1, name));
  EXPECT_STREQ("AB_VER_VER1", name);

  EXPECT_EQ("0", Variable(record, 0));
  EXPECT_EQ("4", Variable(record, 4));
  EXPECT_EQ("2001", Variable(record, 5));
  EXPECT_EQ("2055", Variable(record, 6));
  EXPECT_EQ("1200", Variable(record, 7));
  EXPECT_EQ("\"Firm\"", Variable(record, 8));
  EXPECT_EQ("\"Merger\"", Variable(record, 9));
  EXPECT_EQ("<none:>", Variable(record, 10));
  EXPECT_EQ("<none:>", Variable(record, 11));
  EXPECT_EQ("\"Copyright (C)2001-2007 Firm\"", Variable(record, 12));
  EXPECT_EQ("\"1,2,3,4\"", Variable(record, 13));
  EXPECT_EQ("\"1_2_3_4\"", Variable(record, 14));
  EXPECT_EQ("\"1.2.3.4\"", Variable(record, 15));
  EXPECT_EQ(nullptr, record.GetUserVariable("AB_VER"));
  EXPECT_EQ("12", Variable(record, 16));
  EXPECT_STREQ("12", record.GetUserVariable("AB_VER"));  // _SERIAL keeps the short text
  EXPECT_EQ("\"1.2\"", Variable(record, 17));
  EXPECT_EQ("\"080704B0\"", Variable(record, 18));
  EXPECT_EQ("<none:>", Variable(record, 19));
  EXPECT_EQ("\"/version:1.2\"", Variable(record, 20));
  EXPECT_EQ("<none:>", Variable(record, 21));
  EXPECT_EQ("<none:>", Variable(record, 22));
  EXPECT_EQ("<none:>", Variable(record, 23));
  EXPECT_EQ("<none:>", Variable(record, 24));
}

TEST_F(VersionTest, InstallerCallsFromCompleteEntries) {
  PAVersion record;
  const char* call =
      "if(INSTALLSTATE_LOCAL==MsiQueryFeatureState(_T(\"Prod\"),_T(\"Core\")))MsiUseFeature(_T(\"Prod\"),_T(\"Core\"));";
  record.SetUserVariable("PROD_MSI_CMT", "Prod|Core;Prod|Help");
  EXPECT_EQ(call, Variable(record, 23));
  // Entries without "|" are skipped; the calls are joined by one blank.
  record.SetUserVariable("PROD_MSI_CMT", "Prod|Core;junk;A|B;");
  EXPECT_EQ(std::string(call) +
                " if(INSTALLSTATE_LOCAL==MsiQueryFeatureState(_T(\"A\"),_T(\"B\")))MsiUseFeature(_T(\"A\"),_T(\"B\"));",
            Variable(record, 23));
  record.SetUserVariable("PROD_MSI_CMT", "");
  EXPECT_EQ("<none:>", Variable(record, 23));
}

TEST_F(VersionTest, UserVariablesKeepTheirOrder) {
  PAVersion record;
  EXPECT_EQ(1, record.SetUserVariable("Beta", "2"));
  EXPECT_EQ(1, record.SetUserVariable("alpha", "1"));
  EXPECT_EQ(1, record.SetUserVariable("Beta", "two"));
  EXPECT_EQ(0, record.SetUserVariable("", "x"));
  EXPECT_STREQ("two", record.GetUserVariable("Beta"));
  EXPECT_EQ(nullptr, record.GetUserVariable("beta"));  // exact case
  EXPECT_EQ(nullptr, record.GetUserVariable(nullptr));

  EXPECT_STREQ("Beta", record.GetNextUserVariableName(nullptr));
  EXPECT_STREQ("alpha", record.GetNextUserVariableName("BETA"));  // found without regard to case
  EXPECT_EQ(nullptr, record.GetNextUserVariableName("alpha"));
  EXPECT_EQ(nullptr, record.GetNextUserVariableName("gamma"));

  EXPECT_EQ(1, record.RemoveUserVariable("ALPHA"));
  EXPECT_EQ(0, record.RemoveUserVariable("alpha"));
  EXPECT_EQ(1, record.ClearUserVariables());
  EXPECT_EQ(0, record.ClearUserVariables());
}

TEST_F(VersionTest, RuntimeClassesAndReset) {
  PAVersion record;
  EXPECT_STREQ("PAVersion", record.GetRuntimeClass()->m_lpszClassName);
  EXPECT_TRUE(record.IsKindOf(PAVerInternNums::GetThisClass()));
  EXPECT_EQ(static_cast<UINT>(VERSIONABLE_SCHEMA | 112), PAVersion::GetThisClass()->m_wSchema);
  CObject* made = PAVerInternNums::GetThisClass()->CreateObject();
  ASSERT_NE(nullptr, made);
  EXPECT_STREQ("PAVerInternNums", made->GetRuntimeClass()->m_lpszClassName);
  delete made;

  record.SetExtraText("note");
  record.SetUserVariable("A", "1");
  record.SetNumber(0, 7);
  record.Reset();
  EXPECT_STREQ("", record.GetExtraText());
  EXPECT_EQ(nullptr, record.GetUserVariable("A"));
  EXPECT_EQ(1, record.GetNumber(0));
}

// The company name comes from the first of 24 registry places that holds
// one. The tests write the machine's own places, so they run only where the
// registry is the test's own.
class CompanyNameTest : public VersionTest {
 protected:
  void SetUp() override {
    if (testsupport::OnWindows()) GTEST_SKIP() << "the places are the machine's own registry on Windows";
  }
  static void Store(HKEY root, const char* key, const char* name, const char* value) {
    PARegKey writer;
    ASSERT_EQ(1, writer.Create(root, key, nullptr, KEY_ALL_ACCESS));
    ASSERT_EQ(1, writer.SetString(name, value));
  }
};

TEST_F(CompanyNameTest, FirstPlaceThatHoldsANameWins) {
  EXPECT_STREQ("", PAVersion().GetCompanyName());
  // The last place of all, then empty and too long values before it.
  Store(HKEY_CURRENT_USER, "Software\\Microsoft\\MS Setup (ACME)\\User Info", "DefName", "Late Place Ltd");
  EXPECT_STREQ("Late Place Ltd", PAVersion().GetCompanyName());
  Store(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "RegisteredOrganization", "");
  Store(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\DevStudio\\6.0\\Setup", "RegisteredOwner",
        std::string(300, 'x').c_str());
  EXPECT_STREQ("Late Place Ltd", PAVersion().GetCompanyName());
  // The owner of a key comes after every organisation; the user's value of
  // a key after the machine's.
  Store(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", "RegisteredOwner", "Owner");
  EXPECT_STREQ("Owner", PAVersion().GetCompanyName());
  Store(HKEY_CURRENT_USER, "Software\\Microsoft\\Developer\\Setup", "RegisteredOrganization", "User Firm");
  EXPECT_STREQ("User Firm", PAVersion().GetCompanyName());
  Store(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Developer\\Setup", "RegisteredOrganization", "Machine Firm");
  EXPECT_STREQ("Machine Firm", PAVersion().GetCompanyName());
}

TEST_F(CompanyNameTest, DamagedStoreIsPassedOver) {
  Store(HKEY_CURRENT_USER, "Software\\Microsoft\\MS Setup (ACME)\\User Info", "DefName", "User Place");
  testsupport::WriteBytes(dir.file(".config/winport/registry/HKEY_LOCAL_MACHINE.reg"),
                          std::string("\x00\xff garbage [\n", 13));
  PAVersion record;
  EXPECT_STREQ("User Place", record.GetCompanyName());
  EXPECT_EQ("1.0.0.0", Version(record));
}

}  // namespace
