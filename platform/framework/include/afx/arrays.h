// The typed arrays: strings, object pointers, plain pointers and numbers.
// See afx/array_impl.h for the members they share.
#pragma once

#include <afx/array_impl.h>
#include <afx/cstring.h>

class CStringArray : public afx_internal::TypedArray<CString, const CString&> {
  DECLARE_SERIAL(CStringArray)
 public:
  CStringArray() {}
  using TypedArray::Add;
  using TypedArray::InsertAt;
  using TypedArray::SetAt;
  using TypedArray::SetAtGrow;
  INT_PTR Add(LPCSTR newElement) { return Add(CString(newElement)); }
  void SetAt(INT_PTR nIndex, LPCSTR newElement) { SetAt(nIndex, CString(newElement)); }
  void SetAtGrow(INT_PTR nIndex, LPCSTR newElement) { SetAtGrow(nIndex, CString(newElement)); }
  void InsertAt(INT_PTR nIndex, LPCSTR newElement, INT_PTR nCount = 1) {
    InsertAt(nIndex, CString(newElement), nCount);
  }
};

// An array of object pointers; it does not delete the objects.
class CObArray : public afx_internal::TypedArray<CObject*, CObject*> {
  DECLARE_SERIAL(CObArray)
 public:
  CObArray() {}
  // The count, then each object with its class (CArchive::WriteObject).
  // Loading appends what it reads to the array, which it empties first
  // (without deleting what was there).
  void Serialize(CArchive& ar) override;
};

class CPtrArray : public afx_internal::TypedArray<void*, void*> {
  DECLARE_DYNAMIC(CPtrArray)
 public:
  CPtrArray() {}
};

class CDWordArray : public afx_internal::TypedArray<DWORD, DWORD> {
  DECLARE_SERIAL(CDWordArray)
 public:
  CDWordArray() {}
};

class CUIntArray : public afx_internal::TypedArray<UINT, UINT> {
  DECLARE_DYNAMIC(CUIntArray)
 public:
  CUIntArray() {}
};

class CWordArray : public afx_internal::TypedArray<WORD, WORD> {
  DECLARE_SERIAL(CWordArray)
 public:
  CWordArray() {}
};

class CByteArray : public afx_internal::TypedArray<BYTE, BYTE> {
  DECLARE_SERIAL(CByteArray)
 public:
  CByteArray() {}
};
