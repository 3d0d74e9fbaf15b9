// TableText and SharedTableText: string-table texts without a copy per call.
#include "table_text.h"

#include <string.h>

#include <mutex>
#include <unordered_map>

namespace tekora {

namespace {

// One number's shared copy, with the table text it was made from.
struct SharedCopy {
  LPCSTR source = nullptr;
  SharedText text;
};

struct SharedCopies {
  std::mutex lock;
  std::unordered_map<int, SharedCopy> byNumber;
};

// Made once and never destroyed: an item may release its copy while the
// process exits.
SharedCopies& TheSharedCopies() {
  static SharedCopies* copies = new SharedCopies;
  return *copies;
}

}  // namespace

LPCSTR TableText(int id) {
  LPCSTR text = AfxFindStringResource(static_cast<UINT>(id));
  return text != NULL ? text : "";
}

SharedText SharedTableText(int id) {
  LPCSTR source = TableText(id);
  if (*source == '\0') return SharedText();
  SharedCopies& copies = TheSharedCopies();
  std::lock_guard<std::mutex> hold(copies.lock);
  SharedCopy& copy = copies.byNumber[id];
  // A table that went away may leave its place to another with the same
  // address: the text itself decides.
  if (copy.source != source || strcmp(copy.text, source) != 0) {
    copy.text.Assign(source);
    copy.source = source;
  }
  return copy.text;
}

}  // namespace tekora
