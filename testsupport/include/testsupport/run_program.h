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

// The path of a program or library in the build's bin folder.
std::string BinPath(const std::string& name);

// Runs argv[0] (a path) with the arguments, without a controlling terminal,
// in the given working directory (empty: the current one).
RunResult RunProgram(const std::vector<std::string>& argv, const std::string& cwd = "");

// Runs the program with a pseudo-terminal as its controlling terminal; its
// standard output and error are still captured apart. Whenever the program
// writes to the terminal, Enter is typed in answer (closing a message box).
RunResult RunOnTerminal(const std::vector<std::string>& argv, const std::string& cwd = "");

}  // namespace testsupport
