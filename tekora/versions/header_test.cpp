// The generated version header: its exact text, reading it back (current
// and old names), and what a failed or odd header does.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/platform.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::CrLf;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class HeaderTest : public testsupport::IsolatedTest {
 protected:
  // A record with every field known.
  static void Fill(PAVersion& record) {
    record.SetModuleName("AB");
    record.SetPrefix("AB_VER");
    record.SetFormat(0);
    for (int i = 0; i < 4; ++i) record.SetNumber(i, i + 1);
    record.SetFirstYear(2001);
    record.SetCurrentYear(2007);
    record.SetLCID(0x0807);
    record.SetCompanyName("Firm");
    record.SetFileDescription("Merger");
  }
  static std::vector<std::string> UserVariables(const PAVersion& record) {
    std::vector<std::string> result;
    for (LPCSTR name = record.GetNextUserVariableName(nullptr); name; name = record.GetNextUserVariableName(name))
      result.push_back(std::string(name) + "=" + record.GetUserVariable(name));
    return result;
  }
};

TEST_F(HeaderTest, WrittenHeaderText) {
  PAVersion record;
  Fill(record);
  record.SetUserVariable("b", "4.2");
  record.SetUserVariable("A", "0x1F");
  record.SetUserVariable("PROD_MSI_CMT", "P|C;");
  ASSERT_EQ(1, record.WriteHeader("abver.hpp"));
  EXPECT_STREQ("abver.hpp", record.GetHeaderPath());
  EXPECT_EQ(CrLf({
                "//{{TALLYX_HPP_MARKER}}",
                "#ifndef AB_INC_VER_HPP",
                " #define AB_INC_VER_HPP 1",
                "//{{INSERT_HEADERS_HERE}}",
                "//////////////// tallyx variables /////////////////",
                "",
                " #define AB_VER_FORMAT        0",
                " #define AB_VER_VER1          1",
                " #define AB_VER_VER2          2",
                " #define AB_VER_VER3          3",
                " #define AB_VER_VER4          4",
                " #define AB_VER_STARTED       2001",
                " #define AB_VER_LCID          2055",
                " #define AB_VER_COPA          1200",
                " #define AB_VER_COMPANY_NAME  \"Firm\"",
                " #define AB_VER_FILE_DESC     \"Merger\"",
                "",
                "////////////////// user variables /////////////////",
                "",
                " #define AB_VER_A             0x1F",
                " #define AB_VER_b             \"4.2\"",
                " #define AB_VER_PROD_MSI_CMT  \"P|C;\"",
                "",
                "////////////////generated variables////////////////",
                "",
                " #define AB_VER_COPYRIGHT     \"Copyright (C)2001-2007 Firm\"",
                " #define AB_VER_VERSION_CMA   \"1,2,3,4\"",
                " #define AB_VER_VERSION_UND   \"1_2_3_4\"",
                " #define AB_VER_VERSION       \"1.2.3.4\"",
                " #define AB_VER_SERIAL        12",
                " #define AB_VER_SER_TXT       \"1.2\"",
                " #define AB_VER_LOCALE_STR    \"080704B0\"",
                " #define AB_VER_LINK_VER      \"/version:1.2\"",
                " #if 0",
                " #define AB_VER_PROD_MSI_EXE  "
                "if(INSTALLSTATE_LOCAL==MsiQueryFeatureState(_T(\"P\"),_T(\"C\")))MsiUseFeature(_T(\"P\"),_T(\"C\"));",
                " #endif",
                " #pragma message ( \"AB_VER: 1.2.3.4 \" )",
                "",
                "//{{AFX_INSERT_LOCATION}}",
                "#endif //AB_INC_VER_HPP",
                "",
            }),
            ReadBytes(dir.file("abver.hpp")));
  // _SERIAL stored the short version under the prefix's name: the next
  // write has it among the user variables.
  EXPECT_STREQ("12", record.GetUserVariable("AB_VER"));
  ASSERT_EQ(1, record.WriteHeader(nullptr));
  EXPECT_NE(std::string::npos, ReadBytes(dir.file("abver.hpp")).find(" #define AB_VER_AB_VER        12\r\n"));
}

TEST_F(HeaderTest, FreshRecordReadsBackAsItself) {
  PAVersion written;
  written.SetCompanyName("Firm \"Q\" AG");
  written.SetProductDescription("Suite");
  written.SetExecutableName("tool.exe");
  written.SetLCID(0x0407);
  written.SetCodePage(1252);
  written.SetNumber(1, 7);
  ASSERT_EQ(1, written.WriteHeader("ver.h"));

  PAVersion read;
  ASSERT_EQ(1, read.ReadHeader("ver.h"));
  EXPECT_STREQ(written.GetPrefix(), read.GetPrefix());
  EXPECT_EQ(written.GetFormat(), read.GetFormat());
  for (int i = 0; i < 4; ++i) EXPECT_EQ(written.GetNumber(i), read.GetNumber(i)) << i;
  EXPECT_EQ(written.GetFirstYear(), read.GetFirstYear());
  EXPECT_EQ(0x0407, read.GetLCID());
  EXPECT_EQ(1252, read.GetCodePage());
  EXPECT_STREQ("Firm \"Q\" AG", read.GetCompanyName());
  EXPECT_STREQ("", read.GetFileDescription());
  EXPECT_STREQ("Suite", read.GetProductDescription());
  EXPECT_STREQ("tool.exe", read.GetExecutableName());
  EXPECT_EQ(0, read.IsLegacyHeader());
  EXPECT_STREQ("ver.h", read.GetHeaderPath());
  // The module name comes back from the prefix on the next write.
  EXPECT_STREQ("", read.GetModuleName());
  ASSERT_EQ(1, read.WriteHeader(nullptr));
  EXPECT_STREQ(written.GetModuleName(), read.GetModuleName());
}

TEST_F(HeaderTest, UserVariablesOfEveryKind) {
  PAVersion record;
  Fill(record);
  record.SetUserVariable("NUM", "42");
  record.SetUserVariable("HEX", "0x1F");
  record.SetUserVariable("DEC", "4.2");
  record.SetUserVariable("EMPTY", "");
  record.SetUserVariable("TEXT", "two words\tand a tab");
  record.SetUserVariable("UNCLOSED", "\"open");
  ASSERT_EQ(1, record.WriteHeader("abver.hpp"));
  const std::string text = ReadBytes(dir.file("abver.hpp"));
  EXPECT_NE(std::string::npos, text.find("AB_VER_NUM           42\r\n"));
  EXPECT_NE(std::string::npos, text.find("AB_VER_HEX           0x1F\r\n"));
  EXPECT_NE(std::string::npos, text.find("AB_VER_DEC           \"4.2\"\r\n"));
  EXPECT_NE(std::string::npos, text.find("AB_VER_EMPTY         \"\"\r\n"));

  PAVersion read;
  ASSERT_EQ(1, read.ReadHeader("abver.hpp"));
  EXPECT_STREQ("42", read.GetUserVariable("NUM"));
  EXPECT_STREQ("0x1F", read.GetUserVariable("HEX"));
  EXPECT_STREQ("4.2", read.GetUserVariable("DEC"));
  EXPECT_STREQ("", read.GetUserVariable("EMPTY"));
  EXPECT_STREQ("two words\tand a tab", read.GetUserVariable("TEXT"));
  EXPECT_STREQ("\"open", read.GetUserVariable("UNCLOSED"));
}

TEST_F(HeaderTest, MacroNamesHoldingVariableNamesAreThoseVariables) {
  PAVersion record;
  Fill(record);
  record.SetUserVariable("X_VER1", "9");
  record.SetUserVariable("OLD_FIRMA", "Other");
  ASSERT_EQ(1, record.WriteHeader("abver.hpp"));
  PAVersion read;
  ASSERT_EQ(1, read.ReadHeader("abver.hpp"));
  EXPECT_EQ(nullptr, read.GetUserVariable("X_VER1"));
  EXPECT_EQ(nullptr, read.GetUserVariable("OLD_FIRMA"));
  // The user block comes after the version variables, so its values win.
  EXPECT_EQ(9, read.GetNumber(0));
  EXPECT_STREQ("Other", read.GetCompanyName());
}

TEST_F(HeaderTest, LegacyHeaderReadsAndIsRewrittenInCurrentNames) {
  WriteBytes(dir.file("old.h"), CrLf({
                                    "//{{TALLYX_HPP_MARKER}}",
                                    "#ifndef OLD_VERSION_H",
                                    "#define OLD_VERSION_H",
                                    "#define OLD_RESET 1",
                                    "#define OLD_VER1 3",
                                    "#define OLD_VER2 1",
                                    "#define OLD_MIDLE 4",
                                    "#define OLD_YEAR 1998",
                                    "#define OLD_FIRMA \"Old Firm\"",
                                    "#define OLD_FILEDESC \"Old tool\"",
                                    "#define OLD_PRODDESC \"Old suite\"",
                                    "#define OLD_NOWEXE \"old.exe\"",
                                    "#endif",
                                }));
  PAVersion record;
  ASSERT_EQ(1, record.ReadHeader("old.h"));
  EXPECT_EQ(1, record.IsLegacyHeader());
  EXPECT_STREQ("OLD", record.GetPrefix());
  EXPECT_EQ(3, record.GetNumber(0));
  EXPECT_EQ(1, record.GetNumber(1));
  EXPECT_EQ(4, record.GetNumber(2));
  EXPECT_EQ(1998, record.GetFirstYear());
  EXPECT_STREQ("Old Firm", record.GetCompanyName());
  EXPECT_STREQ("Old tool", record.GetFileDescription());
  EXPECT_STREQ("Old suite", record.GetProductDescription());
  EXPECT_STREQ("old.exe", record.GetExecutableName());
  record.ClearLegacyHeader();
  EXPECT_EQ(0, record.IsLegacyHeader());

  ASSERT_EQ(1, record.WriteHeader(nullptr));
  const std::string text = ReadBytes(dir.file("old.h"));
  for (const char* old : {"_RESET", "_MIDLE", "_YEAR", "_FIRMA", "_FILEDESC", "_PRODDESC", "_NOWEXE"})
    EXPECT_EQ(std::string::npos, text.find(old)) << old;
  EXPECT_NE(std::string::npos, text.find("OLD_COMPANY_NAME"));
  PAVersion again;
  ASSERT_EQ(1, again.ReadHeader("old.h"));
  EXPECT_EQ(0, again.IsLegacyHeader());
  EXPECT_EQ(4, again.GetNumber(2));
}

TEST_F(HeaderTest, FirstReadOfAVersionAddsItsSerialAndGuid) {
  PAVersion record;
  Fill(record);
  ASSERT_EQ(1, record.WriteHeader("abver.hpp"));
  PAVersion first;
  ASSERT_EQ(1, first.ReadHeader("abver.hpp"));
  EXPECT_STREQ("12", first.GetUserVariable("12SERIAL"));
  ASSERT_NE(nullptr, first.GetUserVariable("GUID12"));
  const std::string guid = first.GetUserVariable("GUID12");
  EXPECT_EQ(38u, guid.size());
  EXPECT_EQ('{', guid[0]);
  EXPECT_STREQ(guid.c_str(), first.GetUserVariable("GUID"));

  ASSERT_EQ(1, first.WriteHeader(nullptr));
  PAVersion later;
  ASSERT_EQ(1, later.ReadHeader("abver.hpp"));
  EXPECT_EQ(guid, later.GetUserVariable("GUID12"));
  EXPECT_EQ(guid, later.GetUserVariable("GUID"));
}

TEST_F(HeaderTest, HeadersThatDoNotRead) {
  PAVersion record;
  Fill(record);
  EXPECT_EQ(0, record.ReadHeader(nullptr));
  EXPECT_STREQ("AB_VER", record.GetPrefix());  // a null path changes nothing

  EXPECT_EQ(0, record.ReadHeader("missing.h"));
  EXPECT_STREQ("missing.h", record.GetHeaderPath());
  EXPECT_EQ(1, record.GetNumber(0));

  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"no marker", CrLf({"#ifndef G", "#define G", "#define AB_VER_VER1 5"})},
      {"no known variable", CrLf({"//{{TALLYX_HPP_MARKER}}", "#define AB_OTHER 5"})},
      {"binary", std::string("\x00\x01\xff#define\x00 AB\r\r\n\x1a", 18)},
      {"empty", ""},
  };
  for (const Case& c : cases) {
    WriteBytes(dir.file("bad.h"), c.bytes);
    Fill(record);
    EXPECT_EQ(0, record.ReadHeader("bad.h")) << c.name;
    EXPECT_EQ(1, record.GetNumber(0)) << c.name;  // the defaults of a new record
  }
}

TEST_F(HeaderTest, OddHeadersReadWithoutHarm) {
  const std::string longValue(1 << 20, 'v');
  std::string header = CrLf({"//{{TALLYX_HPP_MARKER}}", " #define AB_VER_VER1 99999999999", " #define AB_VER_VER2 -99999999999",
                             " #define AB_VER_COMPANY_NAME \"unclosed", " #define AB_VER_ONLYNAME"});
  header += " #define AB_VER_LONG \"" + longValue + "\"\r\n";
  for (int i = 0; i < 10000; ++i) header += " #define AB_VER_U" + std::to_string(i) + " " + std::to_string(i) + "\r\n";
  WriteBytes(dir.file("odd.h"), header);

  PAVersion record;
  ASSERT_EQ(1, record.ReadHeader("odd.h"));
  EXPECT_EQ(2147483647, record.GetNumber(0));  // a number beyond 32 bits stops at the largest
  EXPECT_EQ(-2147483647 - 1, record.GetNumber(1));
  EXPECT_STREQ("unclosed", record.GetCompanyName());
  EXPECT_EQ(longValue, record.GetUserVariable("LONG"));
  EXPECT_STREQ("9999", record.GetUserVariable("U9999"));
  ASSERT_EQ(1, record.WriteHeader("odd2.h"));
  PAVersion again;
  ASSERT_EQ(1, again.ReadHeader("odd2.h"));
  EXPECT_EQ(longValue, again.GetUserVariable("LONG"));
  EXPECT_STREQ("5000", again.GetUserVariable("U5000"));
}

TEST_F(HeaderTest, WriteFailuresKeepTheOldHeader) {
  PAVersion record;
  Fill(record);
  PAVersion noPath;
  EXPECT_EQ(0, noPath.WriteHeader(nullptr));
  EXPECT_EQ(0, noPath.WriteHeader(""));

  ASSERT_EQ(1, record.WriteHeader("keep.h"));
  const std::string old = ReadBytes(dir.file("keep.h"));
  record.SetNumber(0, 5);
  ASSERT_TRUE(SetFileAttributesA("keep.h", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(0, record.WriteHeader(nullptr));
  SetFileAttributesA("keep.h", FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(old, ReadBytes(dir.file("keep.h")));
  EXPECT_EQ(std::vector<std::string>{"keep.h"}, testsupport::FileNames(dir.path()));

  testsupport::MakeDirs(dir.file("folder.h"));
  EXPECT_EQ(0, record.WriteHeader("folder.h"));
}

TEST_F(HeaderTest, GuardNameFromThePatternOrThePrefix) {
  PAVersion record;
  Fill(record);
  record.SetGuardPattern("%P_%N");
  ASSERT_EQ(1, record.WriteHeader("abver.hpp"));
  EXPECT_NE(std::string::npos, ReadBytes(dir.file("abver.hpp")).find("#ifndef AB_ABVER\r\n"));
  record.SetGuardPattern("");
  ASSERT_EQ(1, record.WriteHeader(nullptr));
  EXPECT_NE(std::string::npos, ReadBytes(dir.file("abver.hpp")).find("#endif //AB_VER_H\r\n"));
}

TEST_F(HeaderTest, TextHelpers) {
  for (const char* number : {"0", "42", "0x1F", "0X", "0xabcDEF"}) EXPECT_EQ(1, PAVersion::IsNumber(number)) << number;
  for (const char* other : {"", "4.2", "-1", "0x1G", "x1", " 1"}) EXPECT_EQ(0, PAVersion::IsNumber(other)) << other;
  EXPECT_EQ(0, PAVersion::IsNumber(nullptr));
  EXPECT_EQ(1, PAVersion::IsHexNumber("0x"));
  EXPECT_EQ(0, PAVersion::IsHexNumber("0"));
  EXPECT_EQ(0, PAVersion::IsHexNumber("12"));

  EXPECT_EQ(3, PAVersion::FindWhitespace("abc def"));
  EXPECT_EQ(1, PAVersion::FindWhitespace("a\tb"));
  EXPECT_EQ(2, PAVersion::FindWhitespace("ab\n"));
  EXPECT_EQ(-1, PAVersion::FindWhitespace("a\rb"));
  EXPECT_EQ(-1, PAVersion::FindWhitespace(""));
  EXPECT_EQ(-1, PAVersion::FindWhitespace(nullptr));

  CString out("x");
  PAVersion::Unquote(out, "\"a\"");
  EXPECT_STREQ("a", out);
  PAVersion::Unquote(out, "\"a");
  EXPECT_STREQ("a", out);
  PAVersion::Unquote(out, "\"\"b\"\"");
  EXPECT_STREQ("\"b\"", out);
  PAVersion::Unquote(out, "\"");
  EXPECT_STREQ("", out);
  PAVersion::Unquote(out, nullptr);
  EXPECT_STREQ("", out);

  CStringArray strings;
  EXPECT_EQ(1, PAVersion::GetLongestLength(strings));
  strings.Add("abc");
  strings.Add("abcdef");
  EXPECT_EQ(7, PAVersion::GetLongestLength(strings));

  PAVersion record;
  record.SetPrefix("P");
  CString name;
  EXPECT_EQ(0, record.GetMacroName(24, name));
  EXPECT_STREQ("", name);
}

}  // namespace
