// The chain of registered string tables.
#include <afx.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <string.h>
#include <vector>

namespace {

struct Table {
  const AfxStringResource* entries;
  bool bProgram;
  std::vector<AfxStringResource> sorted;  // by number, first entry of a number only
};

// The text a lookup finds for each number that some table holds, with an
// open-addressed index by number: a lookup costs one or two probes, however
// many texts the tables hold (a tree set-up looks up hundreds a tree).
struct View {
  std::vector<AfxStringResource> entries;  // by number, each number once
  std::vector<int> slots;                  // an entry's index, or -1; a power of two long
  size_t mask = 0;

  static size_t Hash(UINT nID) { return static_cast<size_t>(nID * 2654435761u); }

  void BuildIndex() {
    size_t size = 16;
    while (size < entries.size() * 2) size *= 2;
    slots.assign(size, -1);
    mask = size - 1;
    for (size_t i = 0; i < entries.size(); ++i) {
      size_t slot = Hash(entries[i].nID) & mask;
      while (slots[slot] >= 0) slot = (slot + 1) & mask;
      slots[slot] = static_cast<int>(i);
    }
  }

  LPCSTR Find(UINT nID) const {
    for (size_t slot = Hash(nID) & mask;; slot = (slot + 1) & mask) {
      const int index = slots[slot];
      if (index < 0) return NULL;
      if (entries[static_cast<size_t>(index)].nID == nID) return entries[static_cast<size_t>(index)].lpszText;
    }
  }
};

struct Chain {
  std::mutex lock;
  std::vector<Table> tables;  // in registration order
  // The current view, read without the lock: each change of the chain makes
  // a new one. A view replaced is kept, since a lookup may still be reading
  // it; tables change only as modules load and unload.
  std::atomic<const View*> view{nullptr};
  std::vector<std::unique_ptr<View>> views;
};

// The chain lives as long as the process: modules register from their static
// constructors and unregister from their static destructors, in any order
// relative to this library's own, so it is never destroyed.
Chain& TheChain() {
  static Chain* chain = new Chain;
  return *chain;
}

bool ByNumber(const AfxStringResource& a, const AfxStringResource& b) { return a.nID < b.nID; }
bool SameNumber(const AfxStringResource& a, const AfxStringResource& b) { return a.nID == b.nID; }

// Makes the view of the chain's tables (the lock held): the program's tables
// are searched first, then the libraries' tables, each group in
// registration order; the first table that holds a number gives its text.
void Publish(Chain& chain) {
  std::unique_ptr<View> view(new View);
  for (int pass = 0; pass < 2; ++pass) {
    const bool wantProgram = pass == 0;
    for (const Table& table : chain.tables)
      if (table.bProgram == wantProgram)
        view->entries.insert(view->entries.end(), table.sorted.begin(), table.sorted.end());
  }
  std::stable_sort(view->entries.begin(), view->entries.end(), ByNumber);
  view->entries.erase(std::unique(view->entries.begin(), view->entries.end(), SameNumber), view->entries.end());
  view->BuildIndex();
  chain.view.store(view.get(), std::memory_order_release);
  chain.views.push_back(std::move(view));
}

}  // namespace

void AfxAddStringResources(const AfxStringResource* entries, size_t count, BOOL bProgram) {
  if (entries == NULL) return;
  Table table;
  table.entries = entries;
  table.bProgram = bProgram != FALSE;
  table.sorted.assign(entries, entries + count);
  std::stable_sort(table.sorted.begin(), table.sorted.end(), ByNumber);
  table.sorted.erase(std::unique(table.sorted.begin(), table.sorted.end(), SameNumber), table.sorted.end());
  Chain& chain = TheChain();
  std::lock_guard<std::mutex> guard(chain.lock);
  chain.tables.push_back(static_cast<Table&&>(table));
  Publish(chain);
}

void AfxRemoveStringResources(const AfxStringResource* entries) {
  Chain& chain = TheChain();
  std::lock_guard<std::mutex> guard(chain.lock);
  for (auto it = chain.tables.begin(); it != chain.tables.end(); ++it) {
    if (it->entries == entries) {
      chain.tables.erase(it);
      Publish(chain);
      return;
    }
  }
}

LPCSTR AfxFindStringResource(UINT nID) {
  const View* view = TheChain().view.load(std::memory_order_acquire);
  return view != NULL ? view->Find(nID) : NULL;
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
