// The library's string-table texts as the configuration trees take them:
// read in place, or as one shared copy for every item that holds the text.
#pragma once

#include <afx.h>

#include <tekora/shared_text.h>

namespace tekora {

// The text of the number, read in place; "" (what LoadString leaves in an
// empty string) for a number without one.
LPCSTR TableText(int id);

// The text of the number as a shared text. Every call for one number gives
// the same copy, so that the items that thousands of trees make from their
// templates hold one copy of each key and default between them rather than
// one each. Empty for a number without a text. A table registered again
// with other texts is noticed: the copy is then made anew.
SharedText SharedTableText(int id);

}  // namespace tekora
