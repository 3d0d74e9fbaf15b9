// PARunProcess: run a command line and wait for its exit code.
#include "run_process.h"

#include <string.h>

#include <tekora/system.h>

namespace {

// The exit code a child gets when the time-out ends it: WAIT_TIMEOUT's number.
const UINT kTimedOutExitCode = 258;

// Starts the child. With the null device as its input it must be given all
// three standard handles, and they must be inherited; the caller's output
// and error go with them.
BOOL StartChild(LPSTR commandLine, ChildInput input, PROCESS_INFORMATION* process) {
  STARTUPINFOA startup;
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  if (input == ChildInput::kConsole)
    return CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, process);

  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, NULL, TRUE};
  HANDLE nullDevice =
      CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, NULL);
  if (nullDevice == INVALID_HANDLE_VALUE) return FALSE;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullDevice;
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  BOOL started = CreateProcessA(NULL, commandLine, NULL, NULL, TRUE, 0, NULL, NULL, &startup, process);
  DWORD error = GetLastError();
  CloseHandle(nullDevice);
  SetLastError(error);
  return started;
}

}  // namespace

unsigned int RunChildProcess(LPSTR commandLine, unsigned int timeout, ChildInput input) {
  if (!commandLine || !*commandLine) return ERROR_INVALID_PARAMETER;

  PROCESS_INFORMATION process;
  memset(&process, 0, sizeof process);
  if (!StartChild(commandLine, input, &process)) return GetLastError();

  if (WaitForSingleObject(process.hProcess, timeout) == WAIT_TIMEOUT)
    TerminateProcess(process.hProcess, kTimedOutExitCode);
  DWORD exitCode = 0;
  unsigned int result = GetExitCodeProcess(process.hProcess, &exitCode) ? exitCode : GetLastError();

  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

unsigned int PARunProcess(LPSTR commandLine, unsigned int timeout) {
  return RunChildProcess(commandLine, timeout, ChildInput::kConsole);
}
