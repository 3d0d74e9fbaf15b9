// PASortStringArray: the suite's name order, in which "_" comes before
// every printable character.
#include <algorithm>
#include <new>
#include <utility>
#include <vector>

#include <tekora/time_guid.h>

namespace {

// The sort key of a name: "_" becomes the character with code 1, which
// ranks below digits and letters when compared without regard to case.
CString SortKey(const CString& name) {
  CString key = name;
  key.Replace('_', '\x01');
  return key;
}

}  // namespace

int PASortStringArray(CStringArray* strings) {
  if (!strings || strings->GetSize() == 0) return 0;
  try {
    const INT_PTR count = strings->GetSize();
    std::vector<CString> names(static_cast<size_t>(count));
    std::vector<CString> keys(static_cast<size_t>(count));
    std::vector<INT_PTR> order(static_cast<size_t>(count));
    for (INT_PTR i = 0; i < count; ++i) {
      names[i] = strings->GetAt(i);
      keys[i] = SortKey(names[i]);
      order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&keys](INT_PTR a, INT_PTR b) { return keys[a].CompareNoCase(keys[b]) < 0; });
    // Moving the copies back allocates nothing, so an exception can only
    // come before the array is touched.
    for (INT_PTR i = 0; i < count; ++i) strings->ElementAt(i) = std::move(names[order[i]]);
    return 1;
  } catch (CException* e) {
    e->Delete();
    return 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}
