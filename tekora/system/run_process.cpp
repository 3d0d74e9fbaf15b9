// PARunProcess: run a command line and wait for its exit code.
#include <string.h>
#include <windows.h>

#include <tekora/system.h>

namespace {

// The exit code a child gets when the time-out ends it: WAIT_TIMEOUT's number.
const UINT kTimedOutExitCode = 258;

}  // namespace

unsigned int PARunProcess(LPSTR commandLine, unsigned int timeout) {
  if (!commandLine || !*commandLine) return ERROR_INVALID_PARAMETER;

  STARTUPINFOA startup;
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  memset(&process, 0, sizeof process);
  if (!CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
    return GetLastError();

  if (WaitForSingleObject(process.hProcess, timeout) == WAIT_TIMEOUT)
    TerminateProcess(process.hProcess, kTimedOutExitCode);
  DWORD exitCode = 0;
  unsigned int result = GetExitCodeProcess(process.hProcess, &exitCode) ? exitCode : GetLastError();

  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}
