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

// Looks for a bare name in the folders (POSIX paths), in order, with the
// name variants in each; `entries` (may be null) receives every entry of
// that name that was found, whether it could run or not. Results as
// FindProgram's.
DWORD SearchFolders(const std::string& name, const std::vector<std::string>& folders, ProgramFile* program,
                    std::vector<std::string>* entries);

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
