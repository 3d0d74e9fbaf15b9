// The configuration files through the exported interface: new project,
// utilities and build-runner trees saved and loaded back, the file kinds,
// the system and compile folders, and the callbacks.
#include <direct.h>
#include <shlobj.h>
#include <stdio.h>

#include <string>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/environment.h>
#include <testsupport/files.h>
#include <testsupport/platform.h>
#include <testsupport/temp_dir.h>

#include "../string_ids.h"
#include "component_file_test_support.h"

namespace {

using testsupport::CrLf;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class ConfigurationTest : public ComponentFileTest {
 protected:
  static std::string Names(const PANodeObject* node) {
    std::string names;
    for (int i = 0; i < node->GetChildCount(); ++i) names += std::string(node->GetChild(i)->GetName()) + ",";
    return names;
  }
  static std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
  }
  static std::string Cwd() {
    char cwd[MAX_PATH];
    return _getcwd(cwd, MAX_PATH) ? cwd : "";
  }
  // The component file with this include list.
  void WriteIncludeDirs(const std::string& includeDirs) { m_componentFile.WriteIncludeDirs(includeDirs); }
};

TEST_F(ConfigurationTest, NewUtilsConfigSavesItsWholeTreeAndLoadsBack) {
  WriteIncludeDirs(dir.winPath());
  std::string priority, prefix;
  {
    PAUtilsConfig config("project.ini");
    EXPECT_EQ(&config, config.GetParent());
    EXPECT_EQ("PROJECT,UTILS,", Names(&config));
    EXPECT_EQ("SYSTEM_DIRS,EXCLUDED_FILES,", Names(config.GetChild(1)));
    priority = config.FindItem("PRIORITY", 1)->GetValue();
    prefix = config.FindItem("PREFIX", 1)->GetValue();
    EXPECT_NE("55555", priority);
    ASSERT_EQ(2u, prefix.size());
    EXPECT_TRUE(isupper(static_cast<unsigned char>(prefix[0])) && isupper(static_cast<unsigned char>(prefix[1])));
    EXPECT_FALSE(testsupport::Exists(dir.file("project.ini")));  // set-up reads and writes nothing
    config.Save();
    EXPECT_EQ(1, PASaveProfiles());
  }
  const std::string saved = ReadBytes(dir.file("project.ini"));
  for (const char* line : {"[MAIN]\r\nCHILDS=PROJECT,UTILS,\r\nGUID={FAE4B211-D5EA-11d1-8E8D-0020AFF4C1F6}\r\n",
                           "[PROJECT]\r\nCHILDS=PROJECT_SETTINGS,PROJECT_PATHS,\r\n",
                           "CHILDS=INCLUDE_PATHS,SOURCE_PATHS,RESOURCE_PATHS,\r\n",
                           "[UTILS]\r\nCHILDS=SYSTEM_DIRS,EXCLUDED_FILES,\r\n", "[SYSTEM_DIRS]\r\nSYSINCLS=1\r\n\r\n",
                           "EXCLUDE0=afxres.h\r\nEXCLUDE1=afxres.rc\r\n", "GATE_FORMAT=%P_INC_%M_%E\r\n",
                           "EXTENSIONS=.rc?;.rc;\r\nRC_MAX_ID=0\r\n", "LEITER_MAIL=?\r\n"}) {
    EXPECT_NE(std::string::npos, saved.find(line)) << line << "\n" << saved;
  }
  PAFlushProfiles();
  EXPECT_EQ(1, PAWinProject::IsProjectFile("project.ini"));
  EXPECT_EQ(0, PAWalkerConfig::IsWalkerConfigFile("project.ini"));

  PAUtilsConfig again("project.ini");
  ASSERT_EQ(1, again.Load());
  EXPECT_EQ(priority, again.FindItem("PRIORITY", 1)->GetValue());  // the first random values stay
  EXPECT_EQ(prefix, again.FindItem("PREFIX", 1)->GetValue());
  EXPECT_FALSE(again.IsDotNet());
  again.FindItem("PLATFORM", 1)->SetValue(".net");
  EXPECT_TRUE(again.IsDotNet());
  EXPECT_TRUE(again.IsKindOf(PAWinProject::GetThisClass()));
  EXPECT_EQ(PAWinProject::GetThisClass(), PAUtilsConfig::GetBaseClass());
  EXPECT_EQ(PANodeObject::GetThisClass(), PAWalkerConfig::GetThisClass()->m_pBaseClass);
}

TEST_F(ConfigurationTest, WalkerConfigResolvesProgramsAndNeverStoresThem) {
  WriteBytes(dir.file("tools/hdrgate.exe"), "#!/bin/sh\n");
  testsupport::ScopedEnv path("PATH", testsupport::OnWindows() ? dir.winPath("tools") : dir.file("tools"));
  testsupport::ScopedEnv errlog("ERRLOG", "C:\\logs\\err.log");
  WriteBytes(dir.file("walk.ini"), CrLf({"[MAIN]", "GUID={41F2BBD0-D9BD-11d1-8E97-0020AFF4C1F6}", "CHILDS=RUN,",
                                         "[RUN]", "CHILDS=HDRGATE,", "LOG_FILE=stored.log", "[HDRGATE]",
                                         "PROGRAM=c:\\elsewhere\\old.exe", "ENABLED=0"}));
  PAWalkerConfig config("walk.ini");
  const PANodeObject* run = config.GetChild(0);
  ASSERT_EQ(28, run->GetChildCount());
  EXPECT_STREQ("DEBUG_CLEAN", run->GetChild(0)->GetName());
  EXPECT_STREQ("AGAIN_DEBUG", run->GetChild(18)->GetName());
  EXPECT_STREQ("DEBUG_COMPILE", run->GetChild(22)->GetName());
  EXPECT_STREQ("DEBUGCLEAN", run->GetChild(18)->FindItem("PROGRAM", 0)->GetValue());
  EXPECT_STREQ("REDIRECT", run->GetChild(24)->GetItem(4)->GetKey());
  EXPECT_EQ(Lower(dir.winPath("tools") + "\\hdrgate.exe"), run->FindChild("HDRGATE", 0)->GetItem(0)->GetValue());
  EXPECT_STREQ("depmap.exe", run->FindChild("DEPMAP", 0)->GetItem(0)->GetValue());
  EXPECT_STREQ("C:\\logs\\err.log", run->FindItem("LOG_FILE", 0)->GetValue());

  ASSERT_EQ(1, config.Load());
  EXPECT_STREQ("0", run->FindChild("HDRGATE", 0)->FindItem("ENABLED", 0)->GetValue());
  EXPECT_STREQ("C:\\logs\\err.log", run->FindItem("LOG_FILE", 0)->GetValue());  // do-not-store: not read
  EXPECT_EQ(28, run->GetChildCount());
  config.Save();
  PASaveProfiles();
  const std::string saved = ReadBytes(dir.file("walk.ini"));
  EXPECT_EQ(std::string::npos, saved.find("PROGRAM")) << saved;
  EXPECT_EQ(std::string::npos, saved.find("LOG_FILE")) << saved;
  EXPECT_NE(std::string::npos, saved.find("[RUN]\r\nCHILDS=DEBUG_CLEAN,RELEASE_CLEAN,CVS_UPDATE,")) << saved;
  PAFlushProfiles();
  EXPECT_EQ(1, PAWalkerConfig::IsWalkerConfigFile("walk.ini"));
  EXPECT_EQ(0, PAWinProject::IsProjectFile("walk.ini"));
}

TEST_F(ConfigurationTest, FileKindsNeedTheirGuidExactly) {
  WriteBytes(dir.file("lower.ini"), CrLf({"[MAIN]", "GUID={fae4b211-d5ea-11d1-8e8d-0020aff4c1f6}", "[X]", "Y=1"}));
  EXPECT_EQ(0, PAWinProject::IsProjectFile("lower.ini"));
  EXPECT_EQ(0, PAWalkerConfig::IsWalkerConfigFile("lower.ini"));
  EXPECT_EQ(0, PAWinProject::IsProjectFile("missing.ini"));
  EXPECT_EQ(0, PAWinProject::IsProjectFile(NULL));
  EXPECT_EQ(0, PAWalkerConfig::IsWalkerConfigFile(NULL));
}

TEST_F(ConfigurationTest, SystemDirsComeFromTheComponentFile) {
  testsupport::MakeDirs(dir.file("IncA"));
  testsupport::MakeDirs(dir.file("incb"));
  const std::string upperB = dir.winPath("INCB");
  for (char& c : const_cast<std::string&>(upperB)) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  WriteIncludeDirs(dir.winPath("IncA") + ";;" + upperB + ".;$(VCInstallDir)include;" + dir.winPath("nothere"));
  testsupport::MakeDirs(dir.file("work"));
  ASSERT_EQ(0, _chdir("work"));
  const std::string before = Cwd();
  PAUtilsConfig config("project.ini");
  EXPECT_EQ(before, Cwd());
  CStringArray dirs;
  ASSERT_EQ(1, config.GetSystemDirs(dirs));
  ASSERT_EQ(3, dirs.GetSize());
  EXPECT_EQ(Lower(dir.winPath("IncA")) + "\\", std::string(dirs[0]));
  EXPECT_EQ(Lower(dir.winPath("incb")) + "\\", std::string(dirs[1]));
  EXPECT_STREQ("1", dirs[2]);
  const PANodeObject* systemDirs = config.FindChild("SYSTEM_DIRS", 1);
  EXPECT_STREQ("SYS1", systemDirs->GetItem(1)->GetKey());
  EXPECT_EQ(1, systemDirs->GetItem(1)->GetDoNotStore());
  EXPECT_EQ(0, systemDirs->GetItem(2)->GetDoNotStore());  // SYSINCLS is stored

  PAUtilsConfig empty;  // no template: no SYSTEM_DIRS
  EXPECT_EQ(0, empty.GetSystemDirs(dirs));
  EXPECT_EQ(0, PAUtilsConfig::InitSystemDirs(NULL));
}

// Trees set up from a template hold one copy of each key and default text
// between them; a string table registered over the library's gives the
// trees set up after it its texts, and its removal the library's again.
TEST_F(ConfigurationTest, TemplateTextsAreSharedAndFollowTheStringTables) {
  PAUtilsConfig first("project.ini");
  const PAConfigInt* platform = first.FindItem("PLATFORM", 1);
  ASSERT_NE(nullptr, platform);
  EXPECT_STREQ("WIN32", platform->GetValue());

  static const AfxStringResource kOverride[] = {{IDS_PA_CFG_DEFAULT_PLATFORM, "X64"},
                                                {IDS_PA_CFG_PLATFORM, "TARGET"}};
  AfxAddStringResources(kOverride, 2, TRUE);
  {
    PAUtilsConfig overridden("project.ini");
    EXPECT_EQ(nullptr, overridden.FindItem("PLATFORM", 1));
    const PAConfigInt* target = overridden.FindItem("TARGET", 1);
    ASSERT_NE(nullptr, target);
    EXPECT_STREQ("X64", target->GetValue());
  }
  AfxRemoveStringResources(kOverride);

  PAUtilsConfig again("other.ini"), more("more.ini");
  const PAConfigInt* platformAgain = again.FindItem("PLATFORM", 1);
  const PAConfigInt* platformMore = more.FindItem("PLATFORM", 1);
  ASSERT_NE(nullptr, platformAgain);
  ASSERT_NE(nullptr, platformMore);
  EXPECT_STREQ("WIN32", platformAgain->GetValue());
  EXPECT_EQ(platformAgain->GetValue(), platformMore->GetValue());  // one copy
  EXPECT_EQ(platformAgain->GetKey(), platformMore->GetKey());
  EXPECT_STREQ("WIN32", platform->GetValue());
}

TEST_F(ConfigurationTest, CompileDirsAreRelativeToTheProjectAndListedOnce) {
  testsupport::MakeDirs(dir.file("proj/inc"));
  WriteBytes(dir.file("proj/app.ini"),
             CrLf({"[MAIN]", "CHILDS=COMPILE_SETTINGS,", "[COMPILE_SETTINGS]", "CHILDS=DEBUG,", "LINI_TOP=top",
                   "[DEBUG]", "CHILDS=ONE,TWO,", "LINI_MID=mid", "[ONE]", "LINI_A=inc", "OTHER=x", "lini_b=low",
                   "[TWO]", "LINI_C=INC/", "LINI_D="}));
  PAUtilsConfig config(dir.winPath("proj\\app.ini").c_str());
  ASSERT_EQ(1, config.Load());
  EXPECT_EQ(Lower(dir.winPath("proj")) + "\\", std::string(config.GetProjectDir().MakeLower()));
  CStringArray dirs;
  EXPECT_EQ(1, config.GetCompileDirs(dirs));
  ASSERT_EQ(1, dirs.GetSize());
  EXPECT_EQ(Lower(dir.winPath("proj\\inc")) + "\\", std::string(dirs[0]));

  PAUtilsConfig none("none.ini");
  dirs.Add("stale");
  EXPECT_EQ(1, none.GetCompileDirs(dirs));
  EXPECT_EQ(0, dirs.GetSize());
  EXPECT_EQ("", std::string(PAWinProject().GetProjectDir()));
}

TEST_F(ConfigurationTest, HomeDirIsPhomeInCanonicalForm) {
  testsupport::MakeDirs(dir.file("Projects"));
  WriteBytes(dir.file("afile"), "x");
  const std::string before = Cwd();
  PAConfigInt item;
  {
    testsupport::ScopedEnv home("PHOME", "Projects");
    ASSERT_EQ(1, PAUtilsConfig::InitHomeDir(&item));
    EXPECT_EQ(Lower(dir.winPath("projects")) + "\\", item.GetValue());
    EXPECT_EQ(before, Cwd());
  }
  for (const char* bad : {"afile", "missing"}) {
    testsupport::ScopedEnv home("PHOME", bad);
    item.SetValue("kept");
    EXPECT_EQ(0, PAUtilsConfig::InitHomeDir(&item)) << bad;
    EXPECT_STREQ("kept", item.GetValue());
    EXPECT_EQ(before, Cwd());
  }
  testsupport::UnsetEnv("PHOME");
  EXPECT_EQ(0, PAUtilsConfig::InitHomeDir(&item));
  EXPECT_EQ(0, PAUtilsConfig::InitHomeDir(NULL));
}

TEST_F(ConfigurationTest, CallbacksFillEmptyValues) {
  PAConfigInt guid;
  EXPECT_EQ(1, PAWinProject::InitGuid(&guid));
  EXPECT_EQ(38u, strlen(guid.GetValue()));
  const std::string first = guid.GetValue();
  PAWinProject::InitGuid(&guid);
  EXPECT_EQ(first, guid.GetValue());  // a value is kept
  PAConfigInt log;
  testsupport::UnsetEnv("ERRLOG");
  EXPECT_EQ(1, PAWalkerConfig::InitLogFile(&log));
  EXPECT_STREQ("%ERRLOG%", log.GetValue());
  EXPECT_EQ(1, log.GetDoNotStore());
  EXPECT_EQ(1, PAWinProject::InitPriority(NULL));
  EXPECT_EQ(1, PAWinProject::InitPrefix(NULL));
}

}  // namespace
