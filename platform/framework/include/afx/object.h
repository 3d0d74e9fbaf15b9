// CObject, the root of the framework's class tree, and CRuntimeClass, the
// record that tells a class's name, size, schema, factory and base at run time.
//
// A class gets its record with DECLARE_DYNAMIC / DECLARE_DYNCREATE /
// DECLARE_SERIAL in its declaration and the matching IMPLEMENT_ macro in one
// source file. The IMPLEMENT_ macros also define a static registrar, so the
// record joins the process-wide list when its module loads and leaves it when
// the module unloads; CRuntimeClass::FromName searches that list.
#pragma once

#include <windows.h>

class CObject;
class CArchive;       // serialisation archive (afx/archive.h, when present)
class CDumpContext;   // diagnostic output (afx/dump_context.h)

// The schema flag that lets a serialisable class read older versions.
#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF for classes that cannot be serialised
  CObject* (*m_pfnCreateObject)();  // NULL for abstract classes
  CRuntimeClass* m_pBaseClass;

  // A new default-constructed object of the class, or NULL when the class
  // has no factory (or memory runs out: the memory exception is caught).
  CObject* CreateObject();
  // TRUE when this class is pBaseClass or derives from it (by the records' bases).
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

  // The registered class of that exact name, or NULL.
  static CRuntimeClass* FromName(LPCSTR lpszClassName);
  // FromName, then CreateObject; NULL when either fails.
  static CObject* CreateObject(LPCSTR lpszClassName);
};

// Registers a runtime class record for as long as the object lives; the
// IMPLEMENT_ macros define one per class at namespace scope.
struct AFX_CLASSINIT {
  explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
  ~AFX_CLASSINIT();
  AFX_CLASSINIT(const AFX_CLASSINIT&) = delete;
  AFX_CLASSINIT& operator=(const AFX_CLASSINIT&) = delete;
  CRuntimeClass* m_pClass;
};

// Adds a record to / removes it from the process-wide list of classes.
void AfxClassInit(CRuntimeClass* pNewClass);
void AfxClassTerm(CRuntimeClass* pOldClass);

class CObject {
 public:
  // The object's runtime class record.
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = 0;
  // Reads or writes the object's state; the root class has no state.
  virtual void Serialize(CArchive& ar);
  // Diagnostics: check the object's invariants / describe it. Both do
  // nothing visible in the root class apart from Dump's one line.
  virtual void AssertValid() const;
  virtual void Dump(CDumpContext& dc) const;

  // TRUE when the class's schema allows serialisation (not 0xFFFF).
  BOOL IsSerializable() const;
  // TRUE when the object's class is pClass or derives from it.
  BOOL IsKindOf(const CRuntimeClass* pClass) const;

  static const CRuntimeClass classCObject;

 protected:
  CObject() {}

 private:
  // Objects of the framework are not copied implicitly.
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
};

// Reads an object of (a class derived from) pClass from an archive; the
// extraction operator that IMPLEMENT_SERIAL defines calls it.
CObject* AfxReadObjectFromArchive(CArchive& ar, const CRuntimeClass* pClass);

#define RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)                \
 public:                                           \
  static const CRuntimeClass class##class_name;    \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) \
  DECLARE_DYNCREATE(class_name)    \
  friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                           \
  const CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class class_name), \
                                                       (UINT)(wSchema), pfnNew,                       \
                                                       RUNTIME_CLASS(base_class_name)};               \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }          \
  static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)          \
  CObject* class_name::CreateObject() { return new class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                         \
  CObject* class_name::CreateObject() { return new class_name; }                       \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
  CArchive& operator>>(CArchive& ar, class_name*& pOb) {                                \
    pOb = (class_name*)AfxReadObjectFromArchive(ar, RUNTIME_CLASS(class_name));          \
    return ar;                                                                          \
  }
