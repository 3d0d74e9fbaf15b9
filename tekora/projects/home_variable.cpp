// ExpandHomeVariable.
#include "home_variable.h"

#include <windows.h>

#include "../string_ids.h"

namespace {

// The buffer of expanded environment strings.
const DWORD kExpandBufferSize = 2600;

}  // namespace

namespace tekora {

bool ExpandHomeVariable(CString& home) {
  CString variable;
  if (!variable.LoadString(IDS_PA_CFG_PHOME_VARIABLE)) return false;
  char expanded[kExpandBufferSize];
  const DWORD needed = ExpandEnvironmentStringsA(variable, expanded, kExpandBufferSize);
  if (needed == 0 || needed > kExpandBufferSize) return false;
  home = expanded;
  return true;
}

}  // namespace tekora
