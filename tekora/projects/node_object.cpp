// PANodeObject: the tree of items and children of one INI section, and the
// operations that find, add, remove and walk them.
#include <tekora/node_object.h>

IMPLEMENT_SERIAL(PANodeObject, CObject, VERSIONABLE_SCHEMA | 0x70)

PANodeObject::PANodeObject() : m_pParent(NULL) {}

PANodeObject::~PANodeObject() { Clear(); }

CRuntimeClass* PANodeObject::GetThisClass() { return RUNTIME_CLASS(PANodeObject); }

void PANodeObject::Clear() {
  for (INT_PTR i = m_items.GetSize() - 1; i >= 0; --i) {
    delete m_items[i];
    m_items.RemoveAt(i);
  }
  for (INT_PTR i = m_children.GetSize() - 1; i >= 0; --i) {
    PANodeObject* child = static_cast<PANodeObject*>(m_children[i]);
    if (child != NULL) child->Clear();
    delete child;
    m_children.RemoveAt(i);
  }
}

int PANodeObject::Walk(PANodeWalkProc proc, void* user) {
  const int verdict = proc(this, user);
  if (verdict == 0) return 0;
  if (verdict == -1) return 1;
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i) {
    if (!GetChild(static_cast<int>(i))->Walk(proc, user)) return 0;
  }
  return 1;
}

PAConfigInt* PANodeObject::FindItem(LPCSTR key, int recursive) const {
  if (key == NULL) return NULL;
  for (INT_PTR i = 0; i < m_items.GetSize(); ++i) {
    PAConfigInt* item = GetItem(static_cast<int>(i));
    if (_stricmp(item->GetKey(), key) == 0) return item;
  }
  if (!recursive) return NULL;
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i) {
    PAConfigInt* found = GetChild(static_cast<int>(i))->FindItem(key, 1);
    if (found != NULL) return found;
  }
  return NULL;
}

PANodeObject* PANodeObject::FindChild(LPCSTR name, int recursive) const {
  if (name == NULL) return NULL;
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i) {
    PANodeObject* child = GetChild(static_cast<int>(i));
    if (child->m_strName.CompareNoCase(name) == 0) return child;
    if (recursive) {
      PANodeObject* found = child->FindChild(name, 1);
      if (found != NULL) return found;
    }
  }
  return NULL;
}

PAConfigInt* PANodeObject::FindItemById(int keyId, int recursive) const {
  CString key;
  if (!key.LoadString(keyId)) return NULL;
  return FindItem(key, recursive);
}

PANodeObject* PANodeObject::FindChildById(int nameId, int recursive) const {
  CString name;
  if (!name.LoadString(nameId)) return NULL;
  return FindChild(name, recursive);
}

PAConfigInt* PANodeObject::GetItem(int index) const {
  if (index < 0 || index >= m_items.GetSize()) return NULL;
  return static_cast<PAConfigInt*>(m_items[index]);
}

PANodeObject* PANodeObject::GetChild(int index) const {
  if (index < 0 || index >= m_children.GetSize()) return NULL;
  return static_cast<PANodeObject*>(m_children[index]);
}

void PANodeObject::AddChild(PANodeObject* node) {
  if (node != NULL) m_children.Add(node);
}

void PANodeObject::AddItem(PAConfigInt* item) {
  if (item != NULL) m_items.Add(item);
}

void PANodeObject::RemoveChild(PANodeObject* node) {
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i) {
    if (m_children[i] != node || node == NULL) continue;
    node->Erase();
    delete node;
    m_children.RemoveAt(i);
    return;
  }
}

void PANodeObject::RemoveItem(PAConfigInt* item) {
  for (INT_PTR i = 0; i < m_items.GetSize(); ++i) {
    if (m_items[i] == item && item != NULL) {
      RemoveItemAt(static_cast<int>(i));
      return;
    }
  }
}

void PANodeObject::RemoveItemAt(int index) {
  PAConfigInt* item = GetItem(index);
  if (item == NULL) return;
  item->Remove(0);
  delete item;
  m_items.RemoveAt(index);
}

void PANodeObject::RemoveAllItems() {
  while (m_items.GetSize() > 0) RemoveItemAt(0);
}

bool PANodeObject::NamesSelfOrAncestor(LPCSTR name) const {
  for (const PANodeObject* node = this; node != NULL; node = node->m_pParent) {
    if (node->m_strName.CompareNoCase(name) == 0) return true;
    if (node->m_pParent == node) break;  // a root that is its own parent
  }
  return false;
}

LPCSTR PANodeObject::GetName() const { return m_strName; }

void PANodeObject::SetName(LPCSTR name) { m_strName = name; }

LPCSTR PANodeObject::GetFile() const { return m_strFile; }

void PANodeObject::SetFile(LPCSTR file) { m_strFile = file; }

PANodeObject* PANodeObject::GetParent() const { return m_pParent; }

void PANodeObject::SetParent(PANodeObject* parent) { m_pParent = parent; }

int PANodeObject::GetItemCount() const { return static_cast<int>(m_items.GetSize()); }

int PANodeObject::GetChildCount() const { return static_cast<int>(m_children.GetSize()); }
