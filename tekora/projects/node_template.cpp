// PANodeObject::InitFromTemplate: a tree's sections and keys with their
// defaults, made from a constant template without touching the file.
#include <tekora/node_object.h>

#include "../string_ids.h"

namespace {

// The string table text of the number, or "" (what LoadString leaves in an
// empty string) for a number without one; read in place, not copied.
LPCSTR TableText(int id) {
  LPCSTR text = AfxFindStringResource(static_cast<UINT>(id));
  return text != NULL ? text : "";
}

// A template node's name: its text when it has no number, else the text of
// the number.
LPCSTR TemplateName(const PANodeTemplate* nodeTemplate) {
  if (nodeTemplate->nNameId == 0 && nodeTemplate->lpszName != NULL && *nodeTemplate->lpszName != '\0')
    return nodeTemplate->lpszName;
  return TableText(nodeTemplate->nNameId);
}

void SetDefault(PAConfigInt* item, const PAEntryTemplate* entry) {
  if (entry->bNumeric) {
    CString value;
    value.Format(IDS_PA_CFG_NUMBER_FORMAT, entry->nDefault);
    item->SetValue(value);
  } else {
    item->SetValue(entry->nDefault != 0 ? TableText(entry->nDefault) : "");
  }
}

}  // namespace

int PANodeObject::InitFromTemplate(LPCSTR file, const PANodeTemplate* nodeTemplate, PANodeObject* parent,
                                   int passThrough) {
  if (nodeTemplate == NULL) return 0;
  m_strName = TemplateName(nodeTemplate);
  m_strFile = file;
  m_pParent = parent;

  // The node's new items share one copy of the file name and of the
  // section name. Without a file an item takes no section or key either.
  const bool addressed = file != NULL && *file != '\0';
  tekora::SharedText fileText, sectionText;
  for (const PAEntryTemplate* const* entry = nodeTemplate->ppEntries; entry != NULL && *entry != NULL; ++entry) {
    LPCSTR key = TableText((*entry)->nKeyId);
    PAConfigInt* item = FindItem(key, 0);
    if (item == NULL) {
      item = new PAConfigInt;
      if (addressed) {
        if (fileText.IsEmpty()) {
          fileText.Assign(file);
          sectionText.Assign(m_strName);
        }
        tekora::SharedText keyText;
        keyText.Assign(key);
        item->ShareAddress(fileText, sectionText, keyText);
      }
      AddItem(item);
    }
    SetDefault(item, *entry);
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
