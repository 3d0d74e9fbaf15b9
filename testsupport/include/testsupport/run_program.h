// Runs a built program and captures what it writes.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct RunResult {
  int exitCode = -1;     // exit status, or 128 + signal number
  std::string out;       // standard output
  std::string err;       // standard error
  std::string terminal;  // what reached the pseudo-terminal (RunOnTerminal only)
};

// The path of a file in the build's bin folder (TEKORA_BIN_DIR).
std::string BinPath(const std::string& name);
// The file name of a program ("quillet": "quillet", or "quillet.exe" on
// Windows) and of a shared library ("tekora": "libtekora.so" or "tekora.dll").
std::string ProgramFile(const std::string& name);
std::string LibraryFile(const std::string& name);
// BinPath(ProgramFile(name)).
std::string ProgramPath(const std::string& name);

// An exit code as the platform reports it to a parent: Windows keeps all 32
// bits, POSIX only the low 8 (1114 arrives as 90).
int ReportedExitCode(unsigned int code);

// Whether RunOnTerminal can run here (POSIX pseudo-terminals; Windows has no
// counterpart the tests can drive).
bool HaveTerminal();

// Runs argv[0] (a path) with the arguments, without a controlling terminal,
// in the given working directory (empty: the current one).
RunResult RunProgram(const std::vector<std::string>& argv, const std::string& cwd = "");

// Runs the program with a pseudo-terminal as its controlling terminal; its
// standard output and error are still captured apart. Whenever the program
// writes to the terminal, Enter is typed in answer (closing a message box).
RunResult RunOnTerminal(const std::vector<std::string>& argv, const std::string& cwd = "");

}  // namespace testsupport
