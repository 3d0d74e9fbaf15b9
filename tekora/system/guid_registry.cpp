// The GUID registry and its exported calls: PARegisterGuid and
// PAClearGuidRegistry.
#include "guid_registry.h"

#include <afxcoll.h>

#include <tekora/time_guid.h>

#include "grow_string_map.h"

namespace {

// Associations are allocated ten at a time.
const INT_PTR kBlockSize = 10;

CMapStringToString* g_registry = nullptr;

CMapStringToString& Registry() {
  if (!g_registry) g_registry = new CMapStringToString(kBlockSize);
  return *g_registry;
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
    tekora::MakeRoomForOneMore(registry);
    registry.SetAt(text, text);
    return 1;
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}
