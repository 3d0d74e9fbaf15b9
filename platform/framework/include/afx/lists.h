// The typed lists: strings, object pointers and plain pointers.
// See afx/list_impl.h for the members they share.
#pragma once

#include <afx/cstring.h>
#include <afx/list_impl.h>

class CStringList : public afx_internal::TypedList<CString, const CString&> {
  DECLARE_SERIAL(CStringList)
 public:
  explicit CStringList(INT_PTR nBlockSize = 10) : TypedList(nBlockSize) {}
  using TypedList::AddHead;
  using TypedList::AddTail;
  using TypedList::Find;
  using TypedList::InsertAfter;
  using TypedList::InsertBefore;
  using TypedList::SetAt;
  POSITION AddHead(LPCSTR newElement) { return AddHead(CString(newElement)); }
  POSITION AddTail(LPCSTR newElement) { return AddTail(CString(newElement)); }
  POSITION InsertBefore(POSITION position, LPCSTR newElement) { return InsertBefore(position, CString(newElement)); }
  POSITION InsertAfter(POSITION position, LPCSTR newElement) { return InsertAfter(position, CString(newElement)); }
  void SetAt(POSITION pos, LPCSTR newElement) { SetAt(pos, CString(newElement)); }
  POSITION Find(LPCSTR searchValue, POSITION startAfter = NULL) const { return Find(CString(searchValue), startAfter); }
};

// A list of object pointers; it does not delete the objects.
class CObList : public afx_internal::TypedList<CObject*, CObject*> {
  DECLARE_SERIAL(CObList)
 public:
  explicit CObList(INT_PTR nBlockSize = 10) : TypedList(nBlockSize) {}
};

class CPtrList : public afx_internal::TypedList<void*, void*> {
  DECLARE_DYNAMIC(CPtrList)
 public:
  explicit CPtrList(INT_PTR nBlockSize = 10) : TypedList(nBlockSize) {}
};
