// Numbered string tables, kept as C++ data so that no resource compiler is
// needed on any platform.
//
// Each module (the program, and each library) registers its table once when
// it is loaded, normally through a static AfxStringResourceRegistrar, and the
// registrar takes the table out again when the module unloads. Lookups search
// the program's tables first and then the libraries' tables in the order they
// were registered, the order in which the framework walks its resource chain.
#pragma once

#include <windows.h>
#include <stddef.h>

// One numbered text of a table.
struct AfxStringResource {
  UINT nID;
  LPCSTR lpszText;
};

// Adds a table to the chain. bProgram marks the running program's own table,
// searched before every library's. The entries must stay valid until they
// are removed; when a number occurs twice in one table the first entry wins.
void AfxAddStringResources(const AfxStringResource* entries, size_t count, BOOL bProgram = FALSE);
// Removes the table that starts at entries (added before); no effect otherwise.
void AfxRemoveStringResources(const AfxStringResource* entries);
// The text registered under nID, or NULL when no table has that number.
LPCSTR AfxFindStringResource(UINT nID);

// Registers a table for the lifetime of the object: define one at namespace
// scope in the module that owns the table.
class AfxStringResourceRegistrar {
 public:
  AfxStringResourceRegistrar(const AfxStringResource* entries, size_t count, BOOL bProgram = FALSE)
      : m_entries(entries) {
    AfxAddStringResources(entries, count, bProgram);
  }
  ~AfxStringResourceRegistrar() { AfxRemoveStringResources(m_entries); }
  AfxStringResourceRegistrar(const AfxStringResourceRegistrar&) = delete;
  AfxStringResourceRegistrar& operator=(const AfxStringResourceRegistrar&) = delete;

 private:
  const AfxStringResource* m_entries;
};

// Loads a numbered text into a caller's buffer (LoadStringA's rules): copies
// at most nBufferMax - 1 characters and a NUL; result the number of
// characters copied, 0 when the number is unknown.
int AfxLoadString(UINT nID, LPSTR lpszBuf, UINT nBufferMax);
