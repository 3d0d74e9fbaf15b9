// quillet's run from its command line to its exit code.
#pragma once

// Exit codes of quillet (Windows system error codes where they are not 0).
enum QuilletExitCode {
  kExitDone = 0,
  kExitFileNotFound = 2,        // ERROR_FILE_NOT_FOUND
  kExitInvalidParameter = 87,   // ERROR_INVALID_PARAMETER
  kExitWrongLibrary = 1114,     // ERROR_DLL_INIT_FAILED
};

// Runs the merger: banner, version gate, arguments, list file, then every
// listed script checked and appended to the new script. Returns the exit code.
int RunQuillet(int argc, char** argv);
