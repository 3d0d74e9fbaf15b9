// The exact-name index and the sort shared by sections and files.
#include "ini_index.h"

#include <stdlib.h>

namespace tekora {

namespace {

// qsort has no context argument; the sort runs on the caller's thread and
// the library assumes one calling thread at a time, but a thread-local
// keeps two threads that do sort at once apart.
thread_local LPCSTR (*t_nameOf)(const CObject*) = NULL;

int CompareByName(const void* a, const void* b) {
  const CObject* first = *static_cast<CObject* const*>(a);
  const CObject* second = *static_cast<CObject* const*>(b);
  return lstrcmpiA(t_nameOf(first), t_nameOf(second));
}

}  // namespace

void SortByName(CObArray& items, LPCSTR (*nameOf)(const CObject*)) {
  if (items.GetSize() < 2) return;
  bool sorted = true;
  for (INT_PTR i = 1; i < items.GetSize() && sorted; ++i) sorted = lstrcmpiA(nameOf(items[i - 1]), nameOf(items[i])) <= 0;
  if (sorted) return;
  LPCSTR (*saved)(const CObject*) = t_nameOf;
  t_nameOf = nameOf;
  qsort(items.GetData(), static_cast<size_t>(items.GetSize()), sizeof(CObject*), CompareByName);
  t_nameOf = saved;
}

}  // namespace tekora
