#include "testsupport/run_program.h"

#include <windows.h>

#include <stdexcept>
#include <thread>

namespace testsupport {
namespace {

// One argument quoted by the rules the C runtime uses to split a command line.
std::string Quote(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
    } else if (c == '"') {
      quoted.append(backslashes * 2 + 1, '\\');
      backslashes = 0;
    } else {
      backslashes = 0;
    }
    quoted += c;
  }
  quoted.append(backslashes, '\\');
  return quoted + "\"";
}

// Reads a pipe to its end in text mode, as the child wrote it: its standard
// streams are text streams on Windows, so CR LF stands for a line end.
void ReadAll(HANDLE pipe, std::string* sink) {
  char buffer[65536];
  DWORD count;
  while (ReadFile(pipe, buffer, sizeof buffer, &count, nullptr) && count > 0) sink->append(buffer, count);
  std::string::size_type at = 0;
  while ((at = sink->find("\r\n", at)) != std::string::npos) sink->erase(at, 1);
}

}  // namespace

RunResult RunProgram(const std::vector<std::string>& argv, const std::string& cwd) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE outRead, outWrite, errRead, errWrite;
  if (!CreatePipe(&outRead, &outWrite, &inherit, 0) || !CreatePipe(&errRead, &errWrite, &inherit, 0))
    throw std::runtime_error("CreatePipe failed");
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
  HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                             nullptr);

  std::string commandLine;
  for (const std::string& arg : argv) commandLine += (commandLine.empty() ? "" : " ") + Quote(arg);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  PROCESS_INFORMATION process = {};
  // DETACHED_PROCESS: no console, as a POSIX child without a terminal.
  const BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                                      cwd.empty() ? nullptr : cwd.c_str(), &startup, &process);
  CloseHandle(outWrite);
  CloseHandle(errWrite);
  CloseHandle(input);
  RunResult result;
  if (!started) {
    CloseHandle(outRead);
    CloseHandle(errRead);
    result.exitCode = 127;
    return result;
  }
  std::thread errReader(ReadAll, errRead, &result.err);
  ReadAll(outRead, &result.out);
  errReader.join();
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  result.exitCode = static_cast<int>(code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(outRead);
  CloseHandle(errRead);
  return result;
}

RunResult RunOnTerminal(const std::vector<std::string>&, const std::string&) {
  throw std::runtime_error("no terminal to run on: check HaveTerminal() first");
}

}  // namespace testsupport
