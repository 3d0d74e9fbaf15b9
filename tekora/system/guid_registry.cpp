// The GUID registry and its exported calls: PARegisterGuid and
// PAClearGuidRegistry.
#include "guid_registry.h"

#include <afxcoll.h>

#include <tekora/time_guid.h>

namespace {

// Associations are allocated ten at a time.
const INT_PTR kBlockSize = 10;

CMapStringToString* g_registry = nullptr;

CMapStringToString& Registry() {
  if (!g_registry) g_registry = new CMapStringToString(kBlockSize);
  return *g_registry;
}

// A long-running tool may hand out GUIDs by the hundred thousand: the hash
// table grows with the registry, so that a lookup stays a short chain walk.
void MakeRoom(CMapStringToString& registry) {
  const UINT buckets = registry.GetHashTableSize();
  if (static_cast<UINT>(registry.GetCount()) >= 4 * buckets) registry.InitHashTable(4 * buckets + 1);
}

}  // namespace

namespace tekora {

void CreateGuidRegistry() { Registry(); }

void FreeGuidRegistry() {
  delete g_registry;
  g_registry = nullptr;
}

}  // namespace tekora

void PAClearGuidRegistry(void) {
  if (g_registry) g_registry->RemoveAll();
}

int PARegisterGuid(const GUID* guid) {
  if (!guid) return 0;
  try {
    CString text;
    PAFormatGuid(0, guid, text);
    CMapStringToString& registry = Registry();
    CString known;
    if (registry.Lookup(text, known)) return 0;
    MakeRoom(registry);
    registry.SetAt(text, text);
    return 1;
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}
