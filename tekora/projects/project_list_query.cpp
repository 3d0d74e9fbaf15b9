// PAWinProjectList: the queries over the projects and the renumbering of
// their priorities.
#include <afxcoll.h>

#include <tekora/configuration.h>
#include <tekora/project_list.h>

#include "../string_ids.h"

namespace {

CString Text(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// The non-empty value of the key anywhere in the project's tree, or null.
LPCSTR ValueOf(const PANodeObject* project, LPCSTR key) {
  const PAConfigInt* item = project->FindItem(key, 1);
  return item != NULL && *item->GetValue() != '\0' ? item->GetValue() : NULL;
}

}  // namespace

int PAWinProjectList::RenumberPriorities(int first, int step) {
  const CString key = Text(IDS_PA_LIST_PRIORITY);
  long long value = first;
  for (INT_PTR i = 0; i < m_arrProjects.GetSize(); ++i, value += step) {
    PAConfigInt* item = static_cast<PAUtilsConfig*>(m_arrProjects[i])->FindItem(key, 1);
    if (item != NULL) item->SetInt(static_cast<int>(value));
  }
  return 1;
}

int PAWinProjectList::CollectValues(LPCSTR key, CStringArray& values) const {
  values.RemoveAll();
  for (INT_PTR i = 0; i < m_arrProjects.GetSize(); ++i)
    if (LPCSTR value = ValueOf(static_cast<PAUtilsConfig*>(m_arrProjects[i]), key)) values.Add(value);
  return values.GetSize() > 0 ? 1 : 0;
}

int PAWinProjectList::CollectDistinctValues(LPCSTR key, CStringArray& values) const {
  values.RemoveAll();
  CMapStringToString taken(10);
  for (INT_PTR i = 0; i < m_arrProjects.GetSize(); ++i) {
    LPCSTR value = ValueOf(static_cast<PAUtilsConfig*>(m_arrProjects[i]), key);
    CString known;
    if (value == NULL || taken.Lookup(value, known)) continue;
    taken.SetAt(value, value);
    values.Add(value);
  }
  return values.GetSize() > 0 ? 1 : 0;
}

int PAWinProjectList::IndexOfPrefix(LPCSTR prefix) const {
  if (prefix == NULL) return -1;
  const CString key = Text(IDS_PA_LIST_PREFIX);
  for (int i = 0; i < GetCount(); ++i) {
    LPCSTR value = ValueOf(GetAt(i), key);
    if (value != NULL && CString(value).CompareNoCase(prefix) == 0) return i;
  }
  return -1;
}

PAUtilsConfig* PAWinProjectList::FindByPrefix(LPCSTR prefix) const { return GetAt(IndexOfPrefix(prefix)); }
