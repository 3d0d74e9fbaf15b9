// PAWinProjectList: set-up, the walk, the build tag and the list itself.
#include <vector>

#include <tekora/configuration.h>
#include <tekora/core.h>
#include <tekora/project_list.h>

#include "../config/config_file_kind.h"
#include "../core/listed_name.h"
#include "../string_ids.h"
#include "../system/expand_variable.h"

IMPLEMENT_SERIAL(PAWinProjectList, CObject, VERSIONABLE_SCHEMA | 0x70)

namespace {

// Folders of the version control system, never part of a project tree.
bool IsVersionControlFolder(const CString& name) {
  return name.CompareNoCase("cvs") == 0 || name.CompareNoCase("attic") == 0;
}

CString Text(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

}  // namespace

PAWinProjectList::PAWinProjectList() : m_bInitialised(0) {}

PAWinProjectList::~PAWinProjectList() { RemoveAll(); }

CRuntimeClass* PAWinProjectList::GetThisClass() { return RUNTIME_CLASS(PAWinProjectList); }

int PAWinProjectList::Init(LPCSTR buildTag, LPCSTR projectFileName) {
  m_strBuildTag = buildTag;
  CString home;
  if (!tekora::ExpandTextVariable(IDS_PA_CFG_PHOME_VARIABLE, home)) return 0;
  home.MakeLower();
  // Normalised with its trailing "\" and entered: the walk and the relative
  // lines of the cache start from there.
  if (!PACheckPath(home, 1, 0)) return 0;
  m_strHomeDir = home;
  m_strProjectFileName = projectFileName;
  m_bInitialised = 1;
  return 1;
}

PAUtilsConfig* PAWinProjectList::LoadProject(const CString& path) {
  PAUtilsConfig* project = new PAUtilsConfig(path);
  // The load takes the project file test's check of the file as its own.
  unsigned int size = 0;
  if (tekora::IsProjectFile(path, &size) && project->LoadCheckedFile(size)) return project;
  delete project;
  return NULL;
}

void PAWinProjectList::Keep(PAUtilsConfig* project) {
  if (MatchesBuildTag(m_strBuildTag, project)) m_arrProjects.Add(project);
  else delete project;
}

void PAWinProjectList::LoadProjectIn(const CString& folder) {
  CFileFind finder;
  BOOL more = finder.FindFile(folder + m_strProjectFileName);
  while (more) {
    more = finder.FindNextFile();
    if (finder.IsDirectory()) continue;
    const CString path = finder.GetFilePath();
    if (PAUtilsConfig* project = LoadProject(path)) {
      m_arrProjectFiles.Add(path);
      Keep(project);
    }
  }
}

int PAWinProjectList::ScanDirectory(LPCSTR directory) {
  const CString folder = directory;
  const CString pattern = folder + "*.*";
  // Nothing below a folder whose entries the system cannot name.
  if (pattern.GetLength() >= MAX_PATH) return 1;

  // One listing gives the subfolders and tells whether the folder can hold
  // the project file at all; only then is the file looked up by its name
  // (which decides, by the system's own rules, which entry it is). Most
  // folders of a tree hold none, and so need no second look.
  const bool plainName = tekora::IsPlainFileName(m_strProjectFileName);
  bool mayHoldProject = !plainName;
  CStringArray subfolders;
  CFileFind finder;
  BOOL more = finder.FindFile(pattern);
  // A folder that cannot be listed may still give up a file by its name.
  if (!more) mayHoldProject = true;
  while (more) {
    more = finder.FindNextFile();
    const CString name = finder.GetFileName();
    if (!mayHoldProject && tekora::MayBeNamed(name, m_strProjectFileName)) mayHoldProject = true;
    // A link to a folder is not followed: one back up the tree would make
    // the walk endless, one out of the home directory would list another
    // tree's projects.
    if (!finder.IsDirectory() || finder.IsDots() || finder.MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT))
      continue;
    if (IsVersionControlFolder(name)) continue;
    subfolders.Add(name);
  }
  finder.Close();

  // The folder's own project comes before those below it.
  if (mayHoldProject) LoadProjectIn(folder);
  for (INT_PTR i = 0; i < subfolders.GetSize(); ++i) ScanDirectory(folder + subfolders[i] + "\\");
  return 1;
}

int PAWinProjectList::MatchesBuildTag(LPCSTR tag, PANodeObject* project) {
  if (tag == NULL || project == NULL) return 0;
  if (*tag == '\0') return 1;
  const PAConfigInt* item = project->FindItem(Text(IDS_PA_LIST_BUILD_TAG), 1);
  if (item == NULL || *item->GetValue() == '\0') return 1;
  CString tags = item->GetValue();
  if (tags[tags.GetLength() - 1] != ',') tags += ',';
  int start = 0;
  for (int comma = tags.Find(',', start); comma >= 0; comma = tags.Find(',', start)) {
    if (tags.Mid(start, comma - start).CompareNoCase(tag) == 0) return 1;
    start = comma + 1;
  }
  return 0;
}

void PAWinProjectList::Sort() {
  const int count = static_cast<int>(m_arrProjects.GetSize());
  if (count < 2) return;
  // Each project's priority is read once. A project without a numeric
  // PRIORITY compares equal to every other, which is no order at all: a
  // merge sort gives a result all the same (where a quicksort may run off
  // the array), and keeps such projects where they stand among their equals.
  struct Entry {
    CObject* project;
    int priority;
    bool known;
  };
  const CString key = Text(IDS_PA_LIST_PRIORITY);
  std::vector<Entry> entries(count), merged(count);
  for (int i = 0; i < count; ++i) {
    PAUtilsConfig* project = static_cast<PAUtilsConfig*>(m_arrProjects[i]);
    const PAConfigInt* item = project->FindItem(key, 1);
    Entry& entry = entries[i];
    entry.project = project;
    entry.priority = 0;
    entry.known = item != NULL && item->GetInt(&entry.priority);
  }
  auto before = [](const Entry& a, const Entry& b) { return a.known && b.known && a.priority < b.priority; };
  for (int width = 1; width < count; width *= 2) {
    for (int low = 0; low < count; low += 2 * width) {
      const int middle = low + width < count ? low + width : count;
      const int high = low + 2 * width < count ? low + 2 * width : count;
      int left = low, right = middle, out = low;
      while (left < middle && right < high)
        merged[out++] = before(entries[right], entries[left]) ? entries[right++] : entries[left++];
      while (left < middle) merged[out++] = entries[left++];
      while (right < high) merged[out++] = entries[right++];
    }
    entries.swap(merged);
  }
  for (int i = 0; i < count; ++i) m_arrProjects[i] = entries[i].project;
}

int PAWinProjectList::GetCount() const {
  return m_bInitialised ? static_cast<int>(m_arrProjects.GetSize()) : 0;
}

PAUtilsConfig* PAWinProjectList::GetAt(int index) const {
  if (!m_bInitialised || index < 0 || index >= m_arrProjects.GetSize()) return NULL;
  return static_cast<PAUtilsConfig*>(m_arrProjects[index]);
}

int PAWinProjectList::RemoveAt(int index) {
  if (!m_bInitialised || index < 0 || index >= m_arrProjects.GetSize()) return 0;
  m_arrProjects.RemoveAt(index);
  return 1;
}

void PAWinProjectList::RemoveAll() {
  if (!m_bInitialised) return;
  for (INT_PTR i = m_arrProjects.GetSize() - 1; i >= 0; --i) {
    delete m_arrProjects[i];
    m_arrProjects.RemoveAt(i);
  }
}

int PAWinProjectList::SaveAll() {
  for (INT_PTR i = 0; i < m_arrProjects.GetSize(); ++i) static_cast<PAUtilsConfig*>(m_arrProjects[i])->Save();
  return 1;
}

int PAWinProjectList::IsInitialised() const { return m_bInitialised; }

LPCSTR PAWinProjectList::GetBuildTag() const { return m_strBuildTag; }

LPCSTR PAWinProjectList::GetProjectFileName() const { return m_strProjectFileName; }

const CStringArray& PAWinProjectList::GetProjectFiles() const { return m_arrProjectFiles; }
