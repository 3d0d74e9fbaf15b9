// PANodeObject::InitFromTemplate: a tree's sections and keys with their
// defaults, made from a constant template without touching the file.
#include <tekora/node_object.h>

#include "../config/table_text.h"
#include "../string_ids.h"
#include "object_array_room.h"

namespace {

using tekora::TableText;

// The number of entries of a null-terminated template list (may be null).
template <class T>
INT_PTR CountOf(const T* const* list) {
  INT_PTR count = 0;
  while (list != NULL && list[count] != NULL) ++count;
  return count;
}

// Whether a template node is named by its text rather than by a number.
bool HasOwnName(const PANodeTemplate* nodeTemplate) {
  return nodeTemplate->nNameId == 0 && nodeTemplate->lpszName != NULL && *nodeTemplate->lpszName != '\0';
}

// A template node's name: its text when it has no number, else the text of
// the number.
LPCSTR TemplateName(const PANodeTemplate* nodeTemplate) {
  return HasOwnName(nodeTemplate) ? nodeTemplate->lpszName : TableText(nodeTemplate->nNameId);
}

// The same as a shared text.
tekora::SharedText SharedTemplateName(const PANodeTemplate* nodeTemplate) {
  if (!HasOwnName(nodeTemplate)) return tekora::SharedTableText(nodeTemplate->nNameId);
  tekora::SharedText name;
  name.Assign(nodeTemplate->lpszName);
  return name;
}

// An entry's default: its number's decimal text, or the text of its number.
tekora::SharedText DefaultOf(const PAEntryTemplate* entry) {
  if (entry->bNumeric) {
    CString number;
    number.Format(IDS_PA_CFG_NUMBER_FORMAT, entry->nDefault);
    tekora::SharedText value;
    value.Assign(number);
    return value;
  }
  return entry->nDefault != 0 ? tekora::SharedTableText(entry->nDefault) : tekora::SharedText();
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
  tekora::ReserveRoom(m_items, GetItemCount() + CountOf(nodeTemplate->ppEntries));
  for (const PAEntryTemplate* const* entry = nodeTemplate->ppEntries; entry != NULL && *entry != NULL; ++entry) {
    const tekora::SharedText key = tekora::SharedTableText((*entry)->nKeyId);
    PAConfigInt* item = FindItem(key, 0);
    if (item == NULL) {
      item = new PAConfigInt;
      if (addressed) {
        if (fileText.IsEmpty()) {
          fileText.Assign(file);
          sectionText = SharedTemplateName(nodeTemplate);
        }
        item->ShareAddress(fileText, sectionText, key);
      }
      AddItem(item);
    }
    item->ShareValue(DefaultOf(*entry));
    item->SetDoNotStore((*entry)->bDoNotStore);
    if ((*entry)->pfnCallback != NULL) (*entry)->pfnCallback(item);
  }

  tekora::ReserveRoom(m_children, GetChildCount() + CountOf(nodeTemplate->ppChildren));
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
