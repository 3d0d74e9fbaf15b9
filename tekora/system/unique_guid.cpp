// PACreateUniqueGuid and PANewGuidString: GUIDs this process has not
// handed out before.
#include <objbase.h>
#include <string.h>

#include <tekora/time_guid.h>

namespace {

// When the system cannot make a GUID, or makes one already handed out, the
// call waits and tries again: about two minutes in all before it gives up.
const int kAttempts = 1000;
const DWORD kPauseMilliseconds = 123;

}  // namespace

GUID* PACreateUniqueGuid(GUID* guid) {
  if (!guid) return nullptr;
  GUID candidate;
  memset(&candidate, 0, sizeof candidate);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (CoCreateGuid(&candidate) == S_OK && PARegisterGuid(&candidate)) break;
    Sleep(kPauseMilliseconds);
  }
  *guid = candidate;
  return guid;
}

int PANewGuidString(int withBraces, CString& text) {
  GUID guid;
  PACreateUniqueGuid(&guid);
  PAFormatGuid(withBraces, &guid, text);
  return 1;
}
