// PANodeObject::InitFromTemplate: a tree's sections and keys with their
// defaults, made from a constant template without touching the file.
#include <tekora/node_object.h>

#include "../string_ids.h"

namespace {

// A template node's name: its text when it has no number, else the text of
// the number.
CString TemplateName(const PANodeTemplate* nodeTemplate) {
  CString name;
  if (nodeTemplate->nNameId == 0 && nodeTemplate->lpszName != NULL && *nodeTemplate->lpszName != '\0') {
    name = nodeTemplate->lpszName;
  } else {
    name.LoadString(nodeTemplate->nNameId);
  }
  return name;
}

CString EntryDefault(const PAEntryTemplate* entry) {
  CString value;
  if (entry->bNumeric) {
    value.Format(IDS_PA_CFG_NUMBER_FORMAT, entry->nDefault);
  } else if (entry->nDefault != 0) {
    value.LoadString(entry->nDefault);
  }
  return value;
}

}  // namespace

int PANodeObject::InitFromTemplate(LPCSTR file, const PANodeTemplate* nodeTemplate, PANodeObject* parent,
                                   int passThrough) {
  if (nodeTemplate == NULL) return 0;
  m_strName = TemplateName(nodeTemplate);
  m_strFile = file;
  m_pParent = parent;

  for (const PAEntryTemplate* const* entry = nodeTemplate->ppEntries; entry != NULL && *entry != NULL; ++entry) {
    CString key;
    key.LoadString((*entry)->nKeyId);
    PAConfigInt* item = FindItem(key, 0);
    if (item == NULL) {
      item = new PAConfigInt(file, m_strName, key, NULL);
      AddItem(item);
    }
    item->SetValue(EntryDefault(*entry));
    item->SetDoNotStore((*entry)->bDoNotStore);
    if ((*entry)->pfnCallback != NULL) (*entry)->pfnCallback(item);
  }

  for (const PANodeTemplate* const* childTemplate = nodeTemplate->ppChildren;
       childTemplate != NULL && *childTemplate != NULL; ++childTemplate) {
    PANodeObject* child = FindChild(TemplateName(*childTemplate), 0);
    if (child == NULL) {
      child = new PANodeObject;
      AddChild(child);
    }
    child->InitFromTemplate(file, *childTemplate, this, passThrough);
    if ((*childTemplate)->pfnCallback != NULL) (*childTemplate)->pfnCallback(child);
  }
  return 1;
}
