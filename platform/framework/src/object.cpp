// CObject, CRuntimeClass and the process-wide list of runtime classes.
#include <afx.h>

#include <algorithm>
#include <mutex>
#include <string.h>
#include <vector>

namespace {

struct ClassList {
  std::mutex lock;
  std::vector<CRuntimeClass*> classes;  // in registration order
};

// Modules add their classes from static constructors and take them out from
// static destructors, in any order relative to this library's own statics,
// so the list is created on first use and never destroyed.
ClassList& TheClassList() {
  static ClassList* list = new ClassList;
  return *list;
}

}  // namespace

// ---------------------------------------------------------------------------
// Registration

void AfxClassInit(CRuntimeClass* pNewClass) {
  if (pNewClass == NULL) return;
  ClassList& list = TheClassList();
  std::lock_guard<std::mutex> guard(list.lock);
  list.classes.push_back(pNewClass);
}

void AfxClassTerm(CRuntimeClass* pOldClass) {
  ClassList& list = TheClassList();
  std::lock_guard<std::mutex> guard(list.lock);
  auto it = std::find(list.classes.begin(), list.classes.end(), pOldClass);
  if (it != list.classes.end()) list.classes.erase(it);
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) : m_pClass(pNewClass) { AfxClassInit(pNewClass); }

AFX_CLASSINIT::~AFX_CLASSINIT() { AfxClassTerm(m_pClass); }

// ---------------------------------------------------------------------------
// CRuntimeClass

CObject* CRuntimeClass::CreateObject() {
  if (m_pfnCreateObject == NULL) return NULL;
  try {
    return (*m_pfnCreateObject)();
  } catch (CException* e) {
    e->Delete();
    return NULL;
  }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  if (pBaseClass == NULL) return FALSE;
  for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->m_pBaseClass) {
    if (pClass == pBaseClass) return TRUE;
  }
  return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
  if (lpszClassName == NULL) return NULL;
  ClassList& list = TheClassList();
  std::lock_guard<std::mutex> guard(list.lock);
  for (CRuntimeClass* pClass : list.classes) {
    if (strcmp(pClass->m_lpszClassName, lpszClassName) == 0) return pClass;
  }
  return NULL;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
  CRuntimeClass* pClass = FromName(lpszClassName);
  return pClass == NULL ? NULL : pClass->CreateObject();
}

// ---------------------------------------------------------------------------
// CObject

const CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, NULL, NULL};
static const AFX_CLASSINIT _init_CObject(RUNTIME_CLASS(CObject));

CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

CObject::~CObject() {}

void CObject::Serialize(CArchive&) {}

void CObject::AssertValid() const {}

void CObject::Dump(CDumpContext& dc) const {
  dc << "a " << GetRuntimeClass()->m_lpszClassName << " at " << static_cast<const void*>(this) << "\n";
}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }
