#include "list_entry.h"

#include <initializer_list>

namespace {

bool IsEnclosedIn(const CString& text, char quote) {
  return !text.IsEmpty() && text[0] == quote && text[text.GetLength() - 1] == quote;
}

}  // namespace

void NormalizeListEntry(CString& entry) {
  entry.Trim();
  for (char quote : {'"', '\''}) {
    if (!IsEnclosedIn(entry, quote)) continue;
    // A lone quote is first and last at once: nothing remains of it.
    entry = entry.GetLength() < 2 ? CString() : entry.Mid(1, entry.GetLength() - 2);
    entry.Trim();
    return;
  }
}
