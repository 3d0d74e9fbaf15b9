// The maps from strings to strings, object pointers and plain pointers.
// See afx/map_impl.h for the members they share and their iteration order.
#pragma once

#include <afx/map_impl.h>

class CMapStringToString : public afx_internal::StringKeyMap<CString, LPCSTR> {
  DECLARE_SERIAL(CMapStringToString)
 public:
  // nBlockSize: how many associations are allocated at a time.
  explicit CMapStringToString(INT_PTR nBlockSize = 10) : StringKeyMap(nBlockSize) {}
};

// A map to object pointers; it does not delete the objects.
class CMapStringToOb : public afx_internal::StringKeyMap<CObject*, CObject*> {
  DECLARE_SERIAL(CMapStringToOb)
 public:
  explicit CMapStringToOb(INT_PTR nBlockSize = 10) : StringKeyMap(nBlockSize) {}
};

class CMapStringToPtr : public afx_internal::StringKeyMap<void*, void*> {
  DECLARE_DYNAMIC(CMapStringToPtr)
 public:
  explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : StringKeyMap(nBlockSize) {}
};
