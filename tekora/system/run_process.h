// Running a child process and waiting for it, shared by PARunProcess and the
// library's own outside-program calls.
#pragma once

#include <windows.h>

// What the child reads as standard input.
enum class ChildInput {
  kConsole,     // the caller's own (the console, when it has one)
  kNullDevice,  // nothing: a child that asks for input gets end-of-file at once
};

// Runs the command line and waits at most `timeout` milliseconds (INFINITE:
// no limit); a child still running then is ended with exit code 258. The
// result is PARunProcess's: the exit code, or the error of starting it.
unsigned int RunChildProcess(LPSTR commandLine, unsigned int timeout, ChildInput input);
