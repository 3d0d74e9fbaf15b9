// ExpandTextVariable.
#include "expand_variable.h"

#include <windows.h>

namespace {

// Expanded environment strings are kept in this many characters.
const DWORD kExpandBufferSize = 2600;

}  // namespace

namespace tekora {

bool ExpandTextVariable(unsigned int nTextId, CString& strExpanded) {
  CString variable;
  if (!variable.LoadString(nTextId)) return false;
  char expanded[kExpandBufferSize];
  const DWORD needed = ExpandEnvironmentStringsA(variable, expanded, kExpandBufferSize);
  if (needed == 0 || needed > kExpandBufferSize) return false;
  strExpanded = expanded;
  return true;
}

}  // namespace tekora
