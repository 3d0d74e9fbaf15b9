// PANodeObject::Save and Erase: a tree written into, or deleted from, the
// cached file.
#include <string.h>

#include <string>
#include <unordered_set>

#include <tekora/node_object.h>

#include "../profiles/shared_profile.h"
#include "../string_ids.h"

int PANodeObject::Save() {
  // The items of the node's own file and section write straight into that
  // section, found once, at the first of them: there the first write (or
  // removal) would have added it.
  PAIniSection* section = NULL;
  for (int i = 0; i < GetItemCount(); ++i) {
    PAConfigInt* item = GetItem(i);
    int written;
    if (strcmp(item->GetFile(), m_strFile) == 0 && strcmp(item->GetSection(), m_strName) == 0) {
      if (section == NULL) section = tekora::CachedProfileSection(m_strFile, m_strName);
      written = item->WriteToSection(section);
    } else {
      written = item->Write();
    }
    if (!written) item->Remove(0);
  }

  // Each name is listed once: a second child of the same name would load as
  // the first one again. The test is on whole names, so that "AB" after
  // "ABC" is listed too.
  CString list;
  std::unordered_set<std::string> listed;
  for (int i = 0; i < GetChildCount(); ++i) {
    PANodeObject* child = GetChild(i);
    child->Save();
    if (listed.insert(std::string(child->m_strName)).second) {
      list += child->m_strName;
      list += ',';
    }
  }
  list.Trim();

  CString childsKey;
  childsKey.LoadString(IDS_PA_CFG_CHILDS);
  PAConfigInt childs(m_strFile, m_strName, childsKey, NULL);
  if (list.IsEmpty()) {
    childs.Remove(0);
  } else {
    childs.SetValue(list);
    childs.Write();
  }
  return 1;
}

int PANodeObject::Erase() {
  for (int i = 0; i < GetItemCount(); ++i) GetItem(i)->Remove(0);
  for (int i = 0; i < GetChildCount(); ++i) GetChild(i)->Erase();
  CString childsKey;
  childsKey.LoadString(IDS_PA_CFG_CHILDS);
  PAConfigObject(m_strFile, m_strName, childsKey).Remove(0);
  Clear();
  return 1;
}
