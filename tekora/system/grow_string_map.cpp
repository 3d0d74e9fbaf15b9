// MakeRoomForOneMore: the hash table of a growing string map.
#include "grow_string_map.h"

namespace tekora {

void MakeRoomForOneMore(CMapStringToString& map) {
  const UINT buckets = map.GetHashTableSize();
  if (static_cast<UINT>(map.GetCount()) >= 4 * buckets) map.InitHashTable(4 * buckets + 1);
}

}  // namespace tekora
