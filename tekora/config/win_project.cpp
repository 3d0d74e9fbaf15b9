// PAWinProject: a project file's tree, the project file test, the project
// folder, and the callbacks that give a new project its random values.
#include <stdlib.h>

#include <tekora/configuration.h>
#include <tekora/system.h>
#include <tekora/time_guid.h>

#include "../string_ids.h"
#include "config_file_kind.h"

IMPLEMENT_SERIAL(PAWinProject, PANodeObject, VERSIONABLE_SCHEMA | 0x70)

PAWinProject::PAWinProject() {}

PAWinProject::PAWinProject(LPCSTR file) { InitFromTemplate(file, &Template, this, 1); }

PAWinProject::~PAWinProject() {}

CRuntimeClass* PAWinProject::GetThisClass() { return RUNTIME_CLASS(PAWinProject); }

CRuntimeClass* PAWinProject::GetBaseClass() { return RUNTIME_CLASS(PANodeObject); }

int PAWinProject::IsProjectFile(LPCSTR path) { return tekora::IsProjectFile(path, NULL); }

CString PAWinProject::GetProjectDir() const {
  CString folder;
  if (m_strFile.IsEmpty() || m_strFile.GetLength() >= MAX_PATH) return folder;
  char drive[MAX_PATH], dir[MAX_PATH], joined[MAX_PATH];
  _splitpath(m_strFile, drive, dir, NULL, NULL);
  _makepath(joined, drive, dir, NULL, NULL);
  folder = joined;
  return folder;
}

bool PAWinProject::IsDotNet() const {
  const PAConfigInt* platform = FindItemById(IDS_PA_CFG_PLATFORM, 1);
  if (platform == NULL || *platform->GetValue() == '\0') return false;
  CString dotNet;
  dotNet.LoadString(IDS_PA_CFG_DOT_NET);
  return dotNet.CompareNoCase(platform->GetValue()) == 0;
}

int PAWinProject::InitPriority(PAConfigInt* item) {
  if (item != NULL) item->SetInt(PARandom(32767));
  return 1;
}

int PAWinProject::InitPrefix(PAConfigInt* item) {
  if (item == NULL) return 1;
  const char prefix[3] = {static_cast<char>('A' + PARandom(26)), static_cast<char>('A' + PARandom(26)), '\0'};
  item->SetValue(prefix);
  return 1;
}

int PAWinProject::InitGuid(PAConfigInt* item) {
  if (item == NULL || *item->GetValue() != '\0') return 1;
  CString guid;
  PANewGuidString(1, guid);
  item->SetValue(guid);
  return 1;
}
