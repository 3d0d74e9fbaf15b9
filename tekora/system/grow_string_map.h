// Growth of the library's process-wide string maps.
#pragma once

#include <afxcoll.h>

namespace tekora {

// Called before an insertion: a process-wide map (GUIDs, names not found,
// answers of the locator) may grow by the hundred thousand, so its hash
// table grows with it and a lookup stays a short chain walk.
void MakeRoomForOneMore(CMapStringToString& map);

}  // namespace tekora
