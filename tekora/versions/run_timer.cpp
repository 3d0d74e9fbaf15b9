// PARunTimer: the time a tool ran, noted in its project's statistics file.
#include <windows.h>

#include <tekora/core.h>
#include <tekora/line_profile.h>
#include <tekora/run_timer.h>
#include <tekora/configuration.h>

#include "../string_ids.h"

namespace {

CString Text(UINT id) { return CString(MAKEINTRESOURCEA(id)); }

// The statistics file of the project: its directory, the HTML output path
// and "age.ini", lower case; empty when the project lacks a setting.
CString StatisticsFile(PAWinProject& project) {
  if (project.FindChild(Text(IDS_PA_CFG_PROJECT), 1) == NULL) return CString();
  const PANodeObject* paths = project.FindChild(Text(IDS_PA_CFG_PROJECT_PATHS), 1);
  if (paths == NULL || paths->FindChild(Text(IDS_PA_RUN_NODE_HTML_PATHS), 1) == NULL) return CString();
  const PANodeObject* htmlDir = paths->FindChild(Text(IDS_PA_RUN_NODE_HTML_DIR_0), 1);
  const PAConfigInt* path = htmlDir != NULL ? htmlDir->FindItem(Text(IDS_PA_RUN_ITEM_PATH), 1) : NULL;
  if (path == NULL) return CString();
  CString file = project.GetProjectDir() + path->GetValue() + Text(IDS_PA_RUN_STATS_FILE);
  file.MakeLower();
  return file;
}

// Older projects kept their statistics in the project file: the section is
// erased from the project, and its lines, as the file on disk still holds
// them, go over into the statistics.
void MoveProjectStatistics(PAWinProject& project, PALineProfile& statistics, const CString& section) {
  PANodeObject* utils = project.FindChild(Text(IDS_PA_CFG_UTILS), 1);
  PANodeObject* oldStatistics = utils != NULL ? utils->FindChild(section, 1) : NULL;
  if (oldStatistics != NULL) {
    oldStatistics->Erase();
    project.Save();
  }
  PALineProfile projectFile;
  projectFile.LoadLines(project.GetFile());
  CStringArray lines;
  projectFile.GetSectionLines(section, lines);
  for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
    const int equals = lines[i].Find('=');
    if (equals < 0) statistics.SetLine(section, "", "");
    else statistics.SetLine(section, lines[i].Left(equals), lines[i].Mid(equals + 1));
  }
}

}  // namespace

PARunTimer::PARunTimer() : m_nStart(GetTickCount()) {}

PARunTimer::~PARunTimer() {}

unsigned int PARunTimer::Restart() {
  m_nStart = GetTickCount();
  return m_nStart;
}

int PARunTimer::RecordRun(PAWinProject* project, LPCSTR toolName) {
  // Unsigned 32-bit arithmetic: right across the wrap of the tick count.
  const unsigned int elapsed = GetTickCount() - m_nStart;
  if (project == NULL || toolName == NULL) return 1;
  try {
    const CString file = StatisticsFile(*project);
    if (file.IsEmpty()) return 1;
    SYSTEMTIME now;
    GetLocalTime(&now);
    CString line;
    line.Format(IDS_PA_RUN_STATS_FORMAT, static_cast<unsigned long>(elapsed), now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond);

    const CString section = Text(IDS_PA_RUN_SECTION);
    PALineProfile statistics;
    statistics.LoadLines(file);
    MoveProjectStatistics(*project, statistics, section);
    const CString total = Text(IDS_PA_RUN_TOTAL);
    if (total == toolName) statistics.DeleteLine(section, total);
    else statistics.SetLine(section, toolName, line);
    statistics.SaveLines(file);
  } catch (CException* e) {
    e->Delete();
  }
  return 1;
}

int PARunTimer::RecordRunInDirectory(LPCSTR projectDirectory, LPCSTR toolName) {
  CString file(projectDirectory);
  PANormalizeDirectory(file);
  file += Text(IDS_PA_RUN_PROJECT_FILE);
  PAUtilsConfig project(file);
  project.Load();
  return RecordRun(&project, toolName);
}
