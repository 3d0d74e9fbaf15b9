// PAScriptSettingsArray: an owning array of settings records, sortable by
// priority.
#include <stdlib.h>

#include <tekora/script_settings.h>

PAScriptSettingsArray::PAScriptSettingsArray() {}

PAScriptSettingsArray::~PAScriptSettingsArray() { RemoveAll(); }

void PAScriptSettingsArray::AssertValid() const {}
void PAScriptSettingsArray::Dump(CDumpContext&) const {}

PAScriptSettings* PAScriptSettingsArray::GetAt(int index) const {
  if (index < 0 || index >= CObArray::GetSize()) AfxThrowInvalidArgException();
  return static_cast<PAScriptSettings*>(CObArray::GetAt(index));
}

void PAScriptSettingsArray::RemoveAll() {
  for (INT_PTR i = 0; i < CObArray::GetSize(); ++i) delete static_cast<PAScriptSettings*>(CObArray::GetAt(i));
  CObArray::RemoveAll();
}

int PAScriptSettingsArray::SortByPriority() {
  CObject** elements = CObArray::GetData();
  const INT_PTR count = CObArray::GetSize();
  if (!elements || count < 2) return 0;
  qsort(elements, static_cast<size_t>(count), sizeof *elements, ComparePriority);
  return 1;
}

int PAScriptSettingsArray::ComparePriority(const void* first, const void* second) {
  const PAScriptSettings* a = static_cast<const PAScriptSettings*>(*static_cast<CObject* const*>(first));
  const PAScriptSettings* b = static_cast<const PAScriptSettings*>(*static_cast<CObject* const*>(second));
  // An empty slot sorts before every record instead of being read through.
  if (!a || !b) return a == b ? 0 : !a ? -1 : 1;
  if (a->GetPriority() > b->GetPriority()) return 1;
  if (a->GetPriority() < b->GetPriority()) return -1;
  return 0;
}
