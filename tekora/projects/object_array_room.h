// Room made ahead in a tree node's arrays of items and children.
#pragma once

#include <afxcoll.h>

namespace tekora {

// Room for `count` elements, so that appending up to that many moves the
// array at most once (the array keeps its room when it shrinks back).
inline void ReserveRoom(CObArray& array, INT_PTR count) {
  const INT_PTR size = array.GetSize();
  if (count <= size) return;
  array.SetSize(count);
  array.SetSize(size);
}

}  // namespace tekora
