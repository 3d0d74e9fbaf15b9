// PANodeObject::Serialize: a tree in the framework's archive form.
#include <unordered_set>

#include <tekora/node_object.h>

namespace {

// Loaded arrays must hold objects of the expected class, each once, since
// the node deletes them as its own. A slot that breaks this is emptied
// (the object is not the node's to delete) and the load fails.
void CheckOwned(CObArray& objects, const CRuntimeClass* expected) {
  std::unordered_set<CObject*> seen;
  for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
    CObject* object = objects[i];
    if (object != NULL && object->IsKindOf(expected) && seen.insert(object).second) continue;
    for (INT_PTR j = i; j < objects.GetSize(); ++j) {
      if (seen.count(objects[j]) != 0 || objects[j] == NULL) objects[j] = NULL;
    }
    objects[i] = NULL;
    AfxThrowArchiveException(CArchiveException::badClass);
  }
}

}  // namespace

void PANodeObject::Serialize(CArchive& ar) {
  // A root is its own parent: its parent reference must point back to it.
  ar.MapObject(this);
  if (ar.IsStoring()) {
    ar << m_strName << m_strFile;
    ar.WriteObject(m_pParent);
    m_items.Serialize(ar);
    m_children.Serialize(ar);
    return;
  }
  Clear();
  ar >> m_strName >> m_strFile;
  m_pParent = static_cast<PANodeObject*>(ar.ReadObject(RUNTIME_CLASS(PANodeObject)));
  try {
    m_items.Serialize(ar);
    CheckOwned(m_items, RUNTIME_CLASS(PAConfigInt));
    m_children.Serialize(ar);
    CheckOwned(m_children, RUNTIME_CLASS(PANodeObject));
  } catch (...) {
    // What was read is dropped; empty slots are skipped.
    for (INT_PTR i = 0; i < m_children.GetSize(); ++i) {
      if (m_children[i] == NULL) m_children.RemoveAt(i--);
    }
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i) {
      if (m_items[i] == NULL) m_items.RemoveAt(i--);
    }
    throw;
  }
}
