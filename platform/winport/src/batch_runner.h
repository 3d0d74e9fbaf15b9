// The layer's command interpreter for batch files: CreateProcessA starts a
// ".bat" or ".cmd" file in a child process that runs its lines (see
// batch_script.h for the language) one after the other.
//
// The whole file is read and checked before anything runs: a line the
// interpreter cannot run stops it before the first line, with a message on
// standard error that names the file, the line and the reason, and exit
// code 255. A program that cannot be found or started is reported the same
// way, and the batch goes on with exit code 9009, as cmd.exe does. A
// "del" that finds nothing to delete reports it and goes on. The exit code
// of the batch is that of its last program (0 when none ran). The last
// program of a file takes the interpreter's place (exec), so that ending
// the batch's process ends the program.
#pragma once

#include <sys/types.h>
#include <windows.h>

#include <string>

#include "child_streams.h"

namespace winport {

// Exit codes of the interpreter itself.
const int kBatchLineUnsupported = 255;
const int kBatchProgramNotFound = 9009;

// Starts the batch file (a POSIX path) in a new process. `directory` is the
// child's working directory as a Windows path (empty: the current one) and
// `posixDirectory` the same resolved; `environment` the child's (null: this
// process's). ERROR_SUCCESS with *pid set, or the error of creating the
// process.
DWORD StartBatchFile(const std::string& batchPath, const std::string& directory, const std::string& posixDirectory,
                     char* const* environment, const ChildStreams& streams, pid_t* pid);

}  // namespace winport
