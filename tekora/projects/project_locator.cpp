// PAProjectLocator: to which project of the home directory a file belongs.
#include <stdlib.h>
#include <string.h>

#include <tekora/configuration.h>
#include <tekora/core.h>
#include <tekora/project_list.h>
#include <tekora/system.h>

#include "../string_ids.h"
#include "../system/grow_string_map.h"
#include "../system/expand_variable.h"

IMPLEMENT_SERIAL(PAProjectLocator, PAWinProjectList, VERSIONABLE_SCHEMA | 0x70)

namespace {

const int kSystemFile = -1;
const int kNoProject = -2;

// Headers of the installer SDK that lie among the system headers but belong
// to the projects that ship them.
const char* const kNeverSystemFiles[] = {"mergemod.h", "msi.h",      "msidefs.h",
                                         "msiquery.h", "patchapi.h", "patchwiz.h"};

CString Text(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// The home directory's "3rdparty" folder as a path prefix; empty when PHOME
// cannot be expanded.
CString ThirdPartyPrefix() {
  CString prefix;
  if (!tekora::ExpandTextVariable(IDS_PA_CFG_PHOME_VARIABLE, prefix)) return CString();
  prefix += Text(IDS_PA_LIST_THIRD_PARTY);
  prefix.MakeLower();
  while (prefix.Replace("\\\\", "\\") > 0) {
  }
  return prefix;
}

int Remember(const CString& key, int answer) {
  CString text;
  text.Format("%d", answer);
  tekora::MakeRoomForOneMore(*g_paProjectAnswers);
  g_paProjectAnswers->SetAt(key, text);
  return answer;
}

}  // namespace

PAProjectLocator::PAProjectLocator() {}

PAProjectLocator::~PAProjectLocator() {}

CRuntimeClass* PAProjectLocator::GetThisClass() { return RUNTIME_CLASS(PAProjectLocator); }

int PAProjectLocator::Refresh() {
  const int result = PAWinProjectList::Refresh();
  if (GetCount() < 1) return result;
  return GetAt(0)->GetSystemDirs(m_arrSystemDirs);
}

CStringArray& PAProjectLocator::GetSystemDirList() { return m_arrSystemDirs; }

const CString& PAProjectLocator::GetHomeDirectory() const { return m_strHomeDir; }

int PAProjectLocator::IsInSystemDir(LPCSTR directory) const {
  if (directory == NULL) return 0;
  for (INT_PTR i = 0; i < m_arrSystemDirs.GetSize(); ++i) {
    const CString& systemDir = m_arrSystemDirs[i];
    // An empty entry would begin every path.
    if (!systemDir.IsEmpty() && strncmp(directory, systemDir, systemDir.GetLength()) == 0) return 1;
  }
  return 0;
}

int PAProjectLocator::IsSystemFile(LPCSTR path) const {
  CString file = path;
  if (!PACheckPath(file, 0, 0)) return 0;
  CString name;
  PAGetFileName(name, file);
  for (const char* never : kNeverSystemFiles)
    if (name.CompareNoCase(never) == 0) return 0;
  CString folder;
  PAGetFileDir(folder, file);
  return IsInSystemDir(folder);
}

int PAProjectLocator::GetProjectIndex(CString& path) {
  // Made absolute and lower case as PACheckPath would, without asking the
  // disk whether the file is there: that does not matter here.
  if (!path.IsEmpty()) PAFullPath(path);
  CString key;
  PAGetFileDir(key, path);
  CString cached;
  if (g_paProjectAnswers->Lookup(key, cached)) return atoi(cached);

  if (IsSystemFile(path)) return Remember(key, kSystemFile);
  const CString thirdParty = ThirdPartyPrefix();
  if (!thirdParty.IsEmpty() && _strnicmp(path, thirdParty, thirdParty.GetLength()) == 0)
    return Remember(key, kNoProject);

  PASourcePathSearch search;
  search.strSearched = key;
  for (int i = 0; i < GetCount(); ++i) {
    PAUtilsConfig* project = GetAt(i);
    search.strProjectDir = project->GetProjectDir();
    search.bFound = 0;
    project->Walk(MatchSourcePath, &search);
    if (search.bFound) return Remember(key, i);
  }
  return Remember(key, kNoProject);
}

int PAProjectLocator::GetProjectIndex(LPCSTR path) {
  CString copy = path;
  return GetProjectIndex(copy);
}

int PAProjectLocator::MatchSourcePath(PANodeObject* node, void* search) {
  PASourcePathSearch* record = static_cast<PASourcePathSearch*>(search);
  if (node == NULL || record == NULL) return 1;
  const PAConfigInt* pathItem = node->FindItem(Text(IDS_PA_LIST_PATH), 0);
  const PANodeObject* parent = node->GetParent();
  if (pathItem == NULL || node->FindItem(Text(IDS_PA_LIST_DESCRIPTION), 0) == NULL || parent == NULL ||
      parent->FindItem(Text(IDS_PA_CFG_EXTENSIONS), 0) == NULL)
    return 1;
  CString folder = record->strProjectDir + pathItem->GetValue();
  PAFullPath(folder);
  PANormalizeDirectory(folder);
  if (folder.CompareNoCase(record->strSearched) != 0) return 1;
  record->bFound = 1;
  return 0;
}
