// Project trees and configuration files on bad input: huge lists and
// values, binary and overlong component files, long search paths.
#include <shlobj.h>
#include <stdio.h>
#include <string.h>

#include <set>
#include <string>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/environment.h>
#include <testsupport/files.h>
#include <testsupport/platform.h>
#include <testsupport/temp_dir.h>

#include "../config/component_file_test_support.h"

namespace {

using testsupport::CrLf;
using testsupport::WriteBytes;

class NodeBadInputTest : public ComponentFileTest {};

// A CHILDS list is read through the value buffer too: of 10000 names the
// node gets those within the first 2599 characters, once each, and keeps
// them through a save and a new load.
TEST_F(NodeBadInputTest, TenThousandChildrenAreCutToTheValueBuffer) {
  std::string file = "[ROOT]\r\nCHILDS=";
  std::string sections;
  for (int i = 0; i < 10000; ++i) {
    file += "C" + std::to_string(i) + ",";
    sections += "[C" + std::to_string(i) + "]\r\nK=" + std::to_string(i) + "\r\n";
  }
  WriteBytes(dir.file("many.ini"), file + "\r\n" + sections);
  PANodeObject root;
  root.SetFile("many.ini");
  root.SetName("ROOT");
  ASSERT_EQ(1, root.Load());
  const std::string kept = file.substr(strlen("[ROOT]\r\nCHILDS="), 2599);
  std::set<std::string> names;
  for (size_t start = 0, comma; start < kept.size(); start = comma + 1) {
    comma = kept.find(',', start);
    if (comma == std::string::npos) comma = kept.size();
    names.insert(kept.substr(start, comma - start));
  }
  ASSERT_EQ(static_cast<int>(names.size()), root.GetChildCount());
  EXPECT_STREQ("C1", root.GetChild(1)->GetName());
  root.Save();
  PAFlushProfiles();
  PANodeObject again;
  again.SetFile("many.ini");
  again.SetName("ROOT");
  ASSERT_EQ(1, again.Load());
  EXPECT_EQ(root.GetChildCount(), again.GetChildCount());
}

TEST_F(NodeBadInputTest, MegabyteValuesAreCutToTheValueBuffer) {
  WriteBytes(dir.file("big.ini"), "[ROOT]\r\nBIG=" + std::string(1 << 20, 'b') + "\r\nCHILDS=" +
                                      std::string(1 << 20, ',') + "\r\n");
  PANodeObject root;
  root.SetFile("big.ini");
  root.SetName("ROOT");
  ASSERT_EQ(1, root.Load());
  EXPECT_EQ(2599u, strlen(root.FindItem("BIG", 0)->GetValue()));
  EXPECT_EQ(0, root.GetChildCount());
}

TEST_F(NodeBadInputTest, BinaryOrOverlongComponentFilesGiveNoBadFolders) {
  std::string binary(4096, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 7);
  WriteComponentFile(binary);
  {
    PAUtilsConfig config("p.ini");
    CStringArray dirs;
    EXPECT_EQ(1, config.GetSystemDirs(dirs));
    EXPECT_EQ(0, dirs.GetSize());  // no list, no SYS keys and no SYSINCLS
  }
  testsupport::MakeDirs(dir.file("inc"));
  std::string list = dir.winPath("inc");
  while (list.size() < 14000) list += ";" + dir.winPath("missing");
  WriteComponentFile(CrLf({"[VC\\VC_OBJECTS_PLATFORM_INFO\\Win32\\Directories]", ("Include Dirs=" + list).c_str()}));
  PAUtilsConfig config("p.ini");
  CStringArray dirs;
  EXPECT_EQ(1, config.GetSystemDirs(dirs));
  ASSERT_EQ(2, dirs.GetSize());
  EXPECT_STREQ("1", dirs[1]);
}

TEST_F(NodeBadInputTest, ProgramsAreFoundAtTheEndOfALongSearchPath) {
  if (testsupport::OnWindows()) GTEST_SKIP() << "the search path is PATH with POSIX separators here";
  std::string path;
  for (int i = 0; i < 999; ++i) path += dir.file("none" + std::to_string(i)) + ":";
  path += dir.file("last");
  WriteBytes(dir.file("last/CLEANUP.EXE"), "x");
  testsupport::ScopedEnv searchPath("PATH", path);
  PAWalkerConfig config("w.ini");
  std::string expected = dir.winPath("last") + "\\cleanup.exe";
  for (char& c : expected) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(expected, config.FindChild("CLEANUP", 1)->GetItem(0)->GetValue());
}

}  // namespace
