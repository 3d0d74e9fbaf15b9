// The list of the compiler's system include folders, and one read of it for
// many trees set up in a row.
#pragma once

#include <afx.h>

namespace tekora {

// The include folder list of the development environment: from its
// component file below the local application data folder, or (compiler
// generation 0) from %INCLUDE%. False when the folder or the variable
// cannot be had. Within an IncludeListReading on this thread, the list
// that reading took.
bool ReadIncludeList(CString* list);

// While one lives, the trees set up on its thread take the include list
// from one read of it (at its first use) rather than each from a read of
// its own: a project list sets up thousands of projects in one refresh,
// and they then all see one list, as if the file did not change while the
// refresh runs. Readings nest; the outermost one serves.
class IncludeListReading {
 public:
  IncludeListReading();
  ~IncludeListReading();
  IncludeListReading(const IncludeListReading&) = delete;
  IncludeListReading& operator=(const IncludeListReading&) = delete;

 private:
  friend bool ReadIncludeList(CString* list);

  bool m_bServes;  // false for a nested reading
  bool m_bRead;    // the list was read
  bool m_bFound;   // and the read found it
  CString m_strList;
};

}  // namespace tekora
