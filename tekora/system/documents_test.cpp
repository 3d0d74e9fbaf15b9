// Server paths, section maps, and document display with the stand-in viewer
// bin/docview, which copies the argument file and the document's copy where
// the test can read them.
#include <string>

#include <tekora/tekora.h>
#include <testsupport/environment.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::ReadBytes;
using testsupport::ScopedEnv;
using testsupport::WriteBytes;

class ServerPathTest : public testsupport::IsolatedTest {};

TEST_F(ServerPathTest, PathsUnderTheSdkOrCompilerMapOntoTheServer) {
  ScopedEnv sdk("MSSdk", "C:\\MSSdk\\");
  ScopedEnv vc("VC98", "c:\\vc98");
  CString path("c:\\mssdk\\include\\windows.h");
  EXPECT_EQ(1, PAMapToServerPath("windows.h", path, nullptr));
  EXPECT_EQ("\\\\BUILDSRV\\Microsoft SDK\\include\\windows.h", std::string(path));
  // Without a trailing backslash in the variable the rest keeps its own.
  path = "c:\\vc98\\include\\stdio.h";
  std::string ini = dir.winPath("xref.ini");
  EXPECT_EQ(1, PAMapToServerPath("stdio.h", path, ini.c_str()));
  EXPECT_EQ("\\\\BUILDSRV\\VC98\\\\include\\stdio.h", std::string(path));
  PASaveProfiles();
  EXPECT_NE(std::string::npos, ReadBytes(dir.file("xref.ini")).find("stdio.h=\\\\BUILDSRV\\VC98\\\\include\\stdio.h"));
  EXPECT_NE(std::string::npos, ReadBytes(dir.file("xref.ini")).find("[XREF]"));
  // The path is compared as it is: an upper-case path does not match.
  path = "C:\\MSSDK\\include\\windows.h";
  EXPECT_EQ(0, PAMapToServerPath("windows.h", path, nullptr));
  EXPECT_EQ("C:\\MSSDK\\include\\windows.h", std::string(path));
}

TEST_F(ServerPathTest, UnsetOrEmptyVariablesNeverMatch) {
  testsupport::UnsetEnv("MSSdk");
  ScopedEnv vc("VC98", "");
  testsupport::UnsetEnv("VC98");
  CString path("c:\\src\\main.cpp");
  EXPECT_EQ(0, PAMapToServerPath("main.cpp", path, nullptr));
  EXPECT_EQ("c:\\src\\main.cpp", std::string(path));
}

class SectionMapTest : public testsupport::IsolatedTest {};

TEST_F(SectionMapTest, FirstKeyWinsAndTheSectionEndsAtABracket) {
  WriteBytes(dir.file("map.ini"), "[other]\r\na=0\r\n[SECTION]\r\na=1  \r\na=2\r\nb\r\n\r\nkept=old\r\n c = x \r\n"
                                  "[next]\r\nd=4\r\n");
  CMapStringToString map;
  map.SetAt("kept", "mine");
  EXPECT_EQ(1, PAReadSectionToMap(dir.winPath("map.ini").c_str(), "section", map));
  EXPECT_EQ(3, map.GetCount());
  CString value;
  EXPECT_TRUE(map.Lookup("a", value));
  EXPECT_EQ("1", std::string(value));
  EXPECT_TRUE(map.Lookup("kept", value));
  EXPECT_EQ("mine", std::string(value));
  EXPECT_TRUE(map.Lookup(" c ", value));
  EXPECT_EQ(" x", std::string(value));
  EXPECT_FALSE(map.Lookup("d", value));
}

TEST_F(SectionMapTest, MissingFilesAndSectionsGiveZero) {
  CMapStringToString map;
  EXPECT_EQ(0, PAReadSectionToMap("", "s", map));
  EXPECT_EQ(0, PAReadSectionToMap(dir.winPath("missing.ini").c_str(), "s", map));
  WriteBytes(dir.file("map.ini"), " [s]\r\na=1\r\n");  // not trimmed: no header
  EXPECT_EQ(0, PAReadSectionToMap(dir.winPath("map.ini").c_str(), "s", map));
  WriteBytes(dir.file("bin.ini"), std::string("\0\xff[s]\n", 6) + std::string(1 << 20, 'x'));
  EXPECT_EQ(0, PAReadSectionToMap(dir.winPath("bin.ini").c_str(), "s", map));
  EXPECT_EQ(0, map.GetCount());
}

class ShowDocumentTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    testsupport::MakeDirs(dir.file("tmp"));
    testsupport::MakeDirs(dir.file("seen"));
    testsupport::MakeDirs(dir.file("home/proj"));
    temp_.reset(new testsupport::ScopedTempFolder(dir.file("tmp")));
    copyTo_.reset(new ScopedEnv("DOCVIEW_COPY_TO", dir.file("seen")));
    home_.reset(new ScopedEnv("PHOME", dir.winPath("home")));
  }
  int Show(const std::string& document, CStringArray* list = nullptr) {
    CMapStringToString values;
    values.SetAt("k1", "v1");
    return PAShowDocument(document.c_str(), values, "the text", list);
  }
  std::vector<std::string> Leftovers() { return testsupport::FileNames(dir.file("tmp")); }

  std::unique_ptr<testsupport::ScopedTempFolder> temp_;
  std::unique_ptr<ScopedEnv> copyTo_, home_;
};

TEST_F(ShowDocumentTest, RtfIsPassedAsACopyWithTheArgumentFile) {
  WriteBytes(dir.file("home/proj/doc.rtf"), "{\\rtf1 hello\r\nworld}\r\n");
  CStringArray list;
  list.Add("first entry");
  list.Add("second");
  EXPECT_EQ(1, Show(dir.winPath("home\\proj\\doc.rtf"), &list));
  EXPECT_EQ("{\\rtf1 hello\r\nworld}\r\n", ReadBytes(dir.file("seen/document.txt")));
  std::string args = ReadBytes(dir.file("seen/args.txt"));
  EXPECT_EQ(0u, args.find("v1\r\nthe text\r\n")) << args;
  EXPECT_NE(std::string::npos, args.find("\r\n2\r\nfirst entry\r\nsecond\r\n")) << args;
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(ShowDocumentTest, HtmlIsWrappedWithTheBaseLink) {
  WriteBytes(dir.file("home/proj/Page.html"), "<html>\n  <!--write baselink here--> old\n<p>x</p>\n</html>");
  EXPECT_EQ(1, Show(dir.winPath("home\\proj\\Page.html")));
  std::string web = dir.winPath("home\\proj\\page.html");
  EXPECT_EQ("{\\fromhtml1\r\n<html>\r\n<base href=\"http://BUILDSRV/projects/proj/page.html\" />\r\n<p>x</p>\r\n"
            "</html>\r\n\r\n}\r\n",
            ReadBytes(dir.file("seen/document.txt")));
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(ShowDocumentTest, WithoutADocumentTheViewerStillRuns) {
  CMapStringToString values;
  EXPECT_EQ(1, PAShowDocument("", values, "t", nullptr));
  EXPECT_EQ("\r\nt\r\n\r\n0\r\n", ReadBytes(dir.file("seen/args.txt")));
  // Many values are joined by ";".
  values.InitHashTable(100003);
  for (int i = 0; i < 100000; ++i) values.SetAt(("key" + std::to_string(i)).c_str(), "v");
  EXPECT_EQ(1, PAShowDocument("", values, "t", nullptr));
  std::string args = ReadBytes(dir.file("seen/args.txt"));
  EXPECT_EQ(std::string("v;v;v"), args.substr(0, 5));
  EXPECT_EQ(2 * 100000 - 1u, args.find('\r'));
}

TEST_F(ShowDocumentTest, FailuresGiveZeroAndLeaveNothing) {
  EXPECT_EQ(0, Show(dir.winPath("home\\proj\\missing.html")));
  WriteBytes(dir.file("home/proj/doc.rtf"), "{\\rtf1}\n");
  {
    ScopedEnv failing("DOCVIEW_EXIT", "3");
    EXPECT_EQ(0, Show(dir.winPath("home\\proj\\doc.rtf")));
  }
  {
    ScopedEnv crashing("DOCVIEW_CRASH", "1");
    EXPECT_EQ(0, Show(dir.winPath("home\\proj\\doc.rtf")));
  }
  temp_->Set(dir.file("no-such-tmp"));
  EXPECT_EQ(0, Show(dir.winPath("home\\proj\\doc.rtf")));
  temp_->Set(dir.file("tmp"));
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(ShowDocumentTest, AHangingViewerIsEndedAfterThirtySeconds) {
  ScopedEnv hanging("DOCVIEW_HANG", "1");
  EXPECT_EQ(0, Show(""));
  EXPECT_TRUE(Leftovers().empty());
}

}  // namespace
