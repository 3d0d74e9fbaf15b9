// What a folder's listing tells about a lookup of one name in it. The walks
// of a tree list every folder anyway; where the listing shows that a name
// cannot be there, they need not look it up as well.
#pragma once

#include <afx.h>

namespace tekora {

// Whether the system finds the file name only in an entry equal to it
// without regard to ASCII case: printable ASCII, no wildcard, separator,
// drive mark or short-name mark ("~"), and no trailing dot (which Windows
// drops). Other names are always looked up.
bool IsPlainFileName(const CString& name);

// Whether a listed entry may be the one a lookup of the plain name finds:
// equal without regard to ASCII case, or holding a byte outside ASCII (which
// the system's own case rules may fold onto an ASCII letter).
bool MayBeNamed(const CString& entry, const CString& plainName);

}  // namespace tekora
