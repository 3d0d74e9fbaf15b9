// The not-found list of the file search: a string map used as a set.
#include "not_found_list.h"

#include <afxcoll.h>

#include "../system/grow_string_map.h"

namespace {

// Associations are allocated ten at a time.
const INT_PTR kBlockSize = 10;

CMapStringToString* g_missing = nullptr;

CMapStringToString& Missing() {
  if (!g_missing) g_missing = new CMapStringToString(kBlockSize);
  return *g_missing;
}

}  // namespace

namespace tekora {

void CreateNotFoundList() { Missing(); }

void FreeNotFoundList() {
  delete g_missing;
  g_missing = nullptr;
}

bool IsKnownMissing(const CString& name) {
  CString value;
  return Missing().Lookup(name, value) != FALSE;
}

void RememberMissing(const CString& name) {
  CMapStringToString& missing = Missing();
  MakeRoomForOneMore(missing);
  missing.SetAt(name, name);
}

void ForgetMissing(const CString& name) { Missing().RemoveKey(name); }

}  // namespace tekora
