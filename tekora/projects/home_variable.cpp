// ExpandHomeVariable and ReadHomeDirectory.
#include "home_variable.h"

#include <direct.h>
#include <windows.h>

#include <tekora/core.h>

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

bool ReadHomeDirectory(CString& home) {
  CString expanded;
  if (!ExpandHomeVariable(expanded) || expanded.IsEmpty()) return false;
  expanded.MakeLower();
  char saved[MAX_PATH];
  if (!_getcwd(saved, MAX_PATH)) return false;
  // Entering it is the test that it is a directory one can work in.
  const bool entered = PACheckPath(expanded, 1, 0) != 0;
  _chdir(saved);
  if (entered) home = expanded;
  return entered;
}

}  // namespace tekora
