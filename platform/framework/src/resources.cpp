// The chain of registered string tables.
#include <afx.h>

#include <algorithm>
#include <mutex>
#include <string.h>
#include <vector>

namespace {

struct Table {
  const AfxStringResource* entries;
  bool bProgram;
  std::vector<AfxStringResource> sorted;  // by number, first entry of a number only
};

struct Chain {
  std::mutex lock;
  std::vector<Table> tables;  // in registration order
};

// The chain lives as long as the process: modules register from their static
// constructors and unregister from their static destructors, in any order
// relative to this library's own, so it is never destroyed.
Chain& TheChain() {
  static Chain* chain = new Chain;
  return *chain;
}

LPCSTR FindInTable(const Table& table, UINT nID) {
  auto it = std::lower_bound(table.sorted.begin(), table.sorted.end(), nID,
                             [](const AfxStringResource& entry, UINT id) { return entry.nID < id; });
  if (it == table.sorted.end() || it->nID != nID) return NULL;
  return it->lpszText;
}

}  // namespace

void AfxAddStringResources(const AfxStringResource* entries, size_t count, BOOL bProgram) {
  if (entries == NULL) return;
  Table table;
  table.entries = entries;
  table.bProgram = bProgram != FALSE;
  table.sorted.assign(entries, entries + count);
  std::stable_sort(table.sorted.begin(), table.sorted.end(),
                   [](const AfxStringResource& a, const AfxStringResource& b) { return a.nID < b.nID; });
  table.sorted.erase(std::unique(table.sorted.begin(), table.sorted.end(),
                                 [](const AfxStringResource& a, const AfxStringResource& b) { return a.nID == b.nID; }),
                     table.sorted.end());
  Chain& chain = TheChain();
  std::lock_guard<std::mutex> guard(chain.lock);
  chain.tables.push_back(static_cast<Table&&>(table));
}

void AfxRemoveStringResources(const AfxStringResource* entries) {
  Chain& chain = TheChain();
  std::lock_guard<std::mutex> guard(chain.lock);
  for (auto it = chain.tables.begin(); it != chain.tables.end(); ++it) {
    if (it->entries == entries) {
      chain.tables.erase(it);
      return;
    }
  }
}

LPCSTR AfxFindStringResource(UINT nID) {
  Chain& chain = TheChain();
  std::lock_guard<std::mutex> guard(chain.lock);
  for (int pass = 0; pass < 2; ++pass) {
    bool wantProgram = pass == 0;
    for (const Table& table : chain.tables) {
      if (table.bProgram != wantProgram) continue;
      LPCSTR text = FindInTable(table, nID);
      if (text != NULL) return text;
    }
  }
  return NULL;
}

int AfxLoadString(UINT nID, LPSTR lpszBuf, UINT nBufferMax) {
  if (lpszBuf == NULL || nBufferMax == 0) return 0;
  LPCSTR text = AfxFindStringResource(nID);
  if (text == NULL) {
    lpszBuf[0] = '\0';
    return 0;
  }
  size_t n = strlen(text);
  if (n > nBufferMax - 1) n = nBufferMax - 1;
  memcpy(lpszBuf, text, n);
  lpszBuf[n] = '\0';
  return static_cast<int>(n);
}
