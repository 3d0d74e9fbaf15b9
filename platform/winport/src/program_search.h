// Finding the program of a command line as Windows finds it, on POSIX: names
// without regard to case, ".exe" written or left out.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace winport {

struct ProgramFile {
  std::string posixPath;  // the file to run
  bool isBatch = false;   // a ".bat" or ".cmd" file: the command interpreter runs it
};

// The names tried for a program name: "x.exe" is tried as written, then as
// "x"; a name without an extension as "x.exe", then as "x"; any other
// extension only as written.
std::vector<std::string> ProgramNameVariants(const std::string& name);

// The folders a bare name is looked for in, in order: the running
// program's folder, the current directory, then the absolute folders of
// PATH (relative entries are not searched).
std::vector<std::string> ProgramSearchFolders();

// Looks for a bare name in one folder (a POSIX path) with the name
// variants: ERROR_SUCCESS with *program set, else ERROR_FILE_NOT_FOUND, and
// *denied set when a file of that name was found that may not be run.
// `entries` (may be null) receives every entry of the name that was found,
// whether it could run or not.
DWORD SearchFolder(const std::string& name, const std::string& folder, ProgramFile* program, bool* denied,
                   std::vector<std::string>* entries);

// Looks for a bare name in the folders, in order, as FindProgram does
// (without the kept answers).
DWORD SearchFolders(const std::string& name, const std::vector<std::string>& folders, ProgramFile* program);

// Finds the program a command line names. A name with a folder (or a drive)
// is resolved as a path; a bare name is looked for in the running program's
// folder, the current directory, then the folders of PATH, in that order.
// Only regular files count; a program must be executable, a batch file need
// not be. Result: ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND
// (the folder of a path does not exist) or ERROR_ACCESS_DENIED (only files
// that may not be run were found). The answers for bare names are kept
// while the folders stay as they were (program_search_cache.h).
DWORD FindProgram(const std::string& name, bool search, ProgramFile* program);

}  // namespace winport
