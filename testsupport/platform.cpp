#include "testsupport/platform.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace testsupport {

#ifdef _WIN32
bool OnWindows() { return true; }
bool CtrlZEndsTextReads() { return true; }
bool TextPositionsCountFileBytes() { return true; }

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A process started from a console has one; one started without (Wine under
// CTest) cannot open one that takes a title.
bool HaveConsole() { return SetConsoleTitleA("") != FALSE; }
#else
bool OnWindows() { return false; }
bool CtrlZEndsTextReads() { return false; }
bool TextPositionsCountFileBytes() { return false; }
bool RunningUnderWine() { return false; }
// The POSIX layer keeps the title of every process, terminal or not.
bool HaveConsole() { return true; }
#endif

}  // namespace testsupport
