// Run statistics: the lines a tool's run leaves in its project's "age.ini",
// and the move of older statistics out of the project file.
#include <windows.h>

#include <stdlib.h>

#include <regex>
#include <string>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/environment.h>
#include <testsupport/files.h>
#include <testsupport/platform.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::CrLf;
using testsupport::Exists;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class RunTimerTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    PAGetProfileCache()->RemoveAllFiles();
    WriteProject(true, "");
  }
  void TearDown() override { PAGetProfileCache()->RemoveAllFiles(); }

  // A project file with (or without) the HTML output settings, and older
  // statistics lines in its own file when given.
  void WriteProject(bool withHtml, const std::string& oldStatistics) {
    std::string text = "[MAIN]\r\nCHILDS=PROJECT,UTILS,\r\n\r\n[PROJECT]\r\nNAME=proj\r\nCHILDS=PROJECT_PATHS,\r\n\r\n";
    if (withHtml)
      text += "[PROJECT_PATHS]\r\nCHILDS=HTML_PATHS,\r\n\r\n[HTML_PATHS]\r\nCHILDS=HTML_DIR_0,\r\n\r\n"
              "[HTML_DIR_0]\r\nPATH=Html\r\n\r\n";
    else
      text += "[PROJECT_PATHS]\r\nSOURCE=src\r\n\r\n";
    text += oldStatistics.empty() ? "[UTILS]\r\nX=1\r\n\r\n" : "[UTILS]\r\nX=1\r\nCHILDS=RUN_STATS,\r\n\r\n[RUN_STATS]\r\n" + oldStatistics;
    WriteBytes(dir.file("proj/project.ini"), text);
    testsupport::MakeDirs(dir.file("proj/html"));
  }
  std::string Statistics() const { return ReadBytes(dir.file("proj/html/age.ini")); }
  std::string ProjectDir() const { return dir.winPath("proj"); }
};

// "tool=elapsed|year|month|day|hour|minute|second" with today's date.
std::string LineOf(const std::string& statistics, const std::string& tool) {
  std::smatch match;
  std::regex line("(^|\n)" + tool + "=([0-9|]*)\r\n");
  return std::regex_search(statistics, match, line) ? match[2].str() : "";
}

TEST_F(RunTimerTest, EachToolHasOneLineAndASecondRunReplacesIt) {
  PARunTimer timer;
  EXPECT_EQ(1, timer.RecordRunInDirectory(ProjectDir().c_str(), "quillet"));
  EXPECT_EQ(1, timer.RecordRunInDirectory(ProjectDir().c_str(), "dovrik"));
  const std::string first = Statistics();
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::string line = LineOf(first, "quillet");
  std::smatch parts;
  ASSERT_TRUE(std::regex_match(line, parts, std::regex("([0-9]+)\\|([0-9]+)\\|([0-9]+)\\|([0-9]+)\\|[0-9]+\\|[0-9]+\\|[0-9]+")))
      << first;
  EXPECT_EQ(now.wYear, std::stoi(parts[2]));
  EXPECT_EQ(now.wMonth, std::stoi(parts[3]));
  EXPECT_NE("", LineOf(first, "dovrik"));

  Sleep(20);
  timer.RecordRunInDirectory(ProjectDir().c_str(), "quillet");
  const std::string second = Statistics();
  EXPECT_EQ(0u, second.find("[RUN_STATS]\r\nquillet="));
  EXPECT_EQ(LineOf(first, "dovrik"), LineOf(second, "dovrik"));
  EXPECT_GT(std::stoul(LineOf(second, "quillet")), std::stoul(LineOf(first, "quillet")));
  EXPECT_EQ(3u, static_cast<size_t>(std::count(second.begin(), second.end(), '\n')));  // header and two lines
}

TEST_F(RunTimerTest, TotalRemovesItsLine) {
  WriteBytes(dir.file("proj/html/age.ini"), CrLf({"[RUN_STATS]", "TOTAL=5|2007|1|1|1|1|1", "dovrik=1|2007|1|1|1|1|1"}));
  PARunTimer timer;
  EXPECT_EQ(1, timer.RecordRunInDirectory(ProjectDir().c_str(), "TOTAL"));
  EXPECT_EQ(CrLf({"[RUN_STATS]", "dovrik=1|2007|1|1|1|1|1"}), Statistics());
}

TEST_F(RunTimerTest, OlderStatisticsMoveOutOfTheProjectFile) {
  WriteProject(true, "OLDTOOL=100|2006|1|2|3|4|5\r\nquillet=7|2006|1|2|3|4|5\r\n");
  PARunTimer timer;
  EXPECT_EQ(1, timer.RecordRunInDirectory(ProjectDir().c_str(), "quillet"));
  const std::string statistics = Statistics();
  EXPECT_EQ("100|2006|1|2|3|4|5", LineOf(statistics, "OLDTOOL"));
  EXPECT_NE("7|2006|1|2|3|4|5", LineOf(statistics, "quillet"));  // this run's line wins
  // The project loses the section once the shared cache is saved.
  PASaveProfiles();
  const std::string project = ReadBytes(dir.file("proj/project.ini"));
  EXPECT_EQ(std::string::npos, project.find("[RUN_STATS]")) << project;
  EXPECT_EQ(std::string::npos, project.find("OLDTOOL")) << project;
  EXPECT_NE(std::string::npos, project.find("X=1")) << project;
  PAGetProfileCache()->RemoveAllFiles();
  PAUtilsConfig reloaded((ProjectDir() + "\\project.ini").c_str());
  reloaded.Load();
  EXPECT_EQ(nullptr, reloaded.FindChild("RUN_STATS", 1));
}

TEST_F(RunTimerTest, ProjectWithoutHtmlSettingsRecordsNothing) {
  WriteProject(false, "");
  PARunTimer timer;
  EXPECT_EQ(1, timer.RecordRunInDirectory(ProjectDir().c_str(), "quillet"));
  EXPECT_FALSE(Exists(dir.file("proj/html/age.ini")));
  EXPECT_EQ(1, timer.RecordRunInDirectory(dir.winPath("nowhere").c_str(), "quillet"));
}

TEST_F(RunTimerTest, BadStatisticsFiles) {
  const std::string binary("\x00\xff\x1a[RUN_STATS\r\n\x00=\x01", 16);
  WriteBytes(dir.file("proj/html/age.ini"), binary);
  PARunTimer timer;
  EXPECT_EQ(1, timer.RecordRunInDirectory(ProjectDir().c_str(), "quillet"));
  EXPECT_NE("", LineOf(Statistics(), "quillet"));

  const std::string before = Statistics();
  ASSERT_TRUE(SetFileAttributesA(dir.winPath("proj/html/age.ini").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(1, timer.RecordRunInDirectory(ProjectDir().c_str(), "dovrik"));
  SetFileAttributesA(dir.winPath("proj/html/age.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(before, Statistics());
}

// The tick count wraps to 0 after about 49.7 days; a run across the wrap
// still counts its own milliseconds.
TEST_F(RunTimerTest, ElapsedTimeAcrossTheTickWrap) {
  if (testsupport::OnWindows()) GTEST_SKIP() << "Windows' tick count cannot be set";
  const DWORD now = GetTickCount();
  testsupport::ScopedEnv beforeWrap("WINPORT_TICK_OFFSET", std::to_string(0xFFFFFF00u - now));
  PARunTimer timer;
  EXPECT_GE(timer.Restart(), 0xFFFFFF00u);
  testsupport::ScopedEnv afterWrap("WINPORT_TICK_OFFSET", std::to_string(0x100u - now));
  EXPECT_EQ(1, timer.RecordRunInDirectory(ProjectDir().c_str(), "quillet"));
  const unsigned long elapsed = std::stoul(LineOf(Statistics(), "quillet"));
  EXPECT_GE(elapsed, 0x200u);
  EXPECT_LT(elapsed, 0x200u + 60000u);  // not a difference taken across the wrap the wrong way
}

}  // namespace
