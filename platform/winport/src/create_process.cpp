// CreateProcessA: a Windows command line started as a POSIX child process.
#include <errno.h>
#include <signal.h>
#include <spawn.h>
#include <string.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>
#include <vector>

#include "child_process.h"
#include "command_line.h"
#include "path_resolver.h"
#include "program_search.h"

extern char** environ;

namespace {

// Windows refuses command lines that do not fit 32767 characters with the terminator.
const size_t kMaxCommandLine = 32767;

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

// The strings of an environment block ("A=1\0B=2\0\0").
std::vector<std::string> EnvironmentBlock(const char* block) {
  std::vector<std::string> entries;
  for (const char* p = block; *p; p += strlen(p) + 1) entries.emplace_back(p);
  return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(&s[0]);
  pointers.push_back(nullptr);
  return pointers;
}

// The command interpreter for batch files belongs here: a ".bat" or ".cmd"
// file is run by the layer's own interpreter, so that batch files behave
// the same on every platform. Until the layer has one, a batch file is not
// a program it can start.
DWORD PlanBatchFile(const winport::ProgramFile&) { return ERROR_BAD_EXE_FORMAT; }

// Starts the program; the result is the Windows error of the attempt.
DWORD Spawn(const std::string& path, std::vector<std::string>& args, std::vector<std::string>* environment,
            const std::string& directory, pid_t* pid) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  // No handle of the layer reaches the child: only standard input, output
  // and error are shared, as a console child's are on Windows.
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  // The child starts with no blocked signals and default handlers, as a new
  // Windows process starts with nothing of its parent's.
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  std::vector<char*> argv = Pointers(args);
  std::vector<char*> envp;
  if (environment) envp = Pointers(*environment);
  int error = posix_spawn(pid, path.c_str(), &actions, &attributes, argv.data(),
                          environment ? envp.data() : environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (error == 0) return ERROR_SUCCESS;
  if (error == ENOEXEC) return ERROR_BAD_EXE_FORMAT;
  return WinportErrorFromErrno(error);
}

}  // namespace

extern "C" BOOL WINAPI CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES,
                                      LPSECURITY_ATTRIBUTES, BOOL, DWORD dwCreationFlags, LPVOID lpEnvironment,
                                      LPCSTR lpCurrentDirectory, LPSTARTUPINFOA lpStartupInfo,
                                      LPPROCESS_INFORMATION lpProcessInformation) {
  if (!lpStartupInfo || !lpProcessInformation) return Fail(ERROR_INVALID_PARAMETER);
  if ((lpStartupInfo->dwFlags & STARTF_USESTDHANDLES) ||
      (dwCreationFlags & (CREATE_SUSPENDED | DEBUG_PROCESS | DEBUG_ONLY_THIS_PROCESS | CREATE_UNICODE_ENVIRONMENT)))
    return Fail(ERROR_NOT_SUPPORTED);
  std::string commandLine;
  if (lpCommandLine) {
    size_t length = strnlen(lpCommandLine, kMaxCommandLine);
    if (length >= kMaxCommandLine) return Fail(ERROR_FILENAME_EXCED_RANGE);
    commandLine.assign(lpCommandLine, length);
  }
  std::string name = lpApplicationName ? lpApplicationName : winport::ProgramToken(commandLine);
  if (commandLine.find_first_not_of(" \t") == std::string::npos && !lpApplicationName)
    return Fail(ERROR_INVALID_PARAMETER);

  winport::ReapOrphans();
  winport::ProgramFile program;
  DWORD error = winport::FindProgram(name, lpApplicationName == nullptr, &program);
  if (error != ERROR_SUCCESS) return Fail(error);
  if (program.isBatch) return Fail(PlanBatchFile(program));

  std::vector<std::string> args =
      commandLine.empty() ? std::vector<std::string>{name} : winport::SplitCommandLine(commandLine);
  std::vector<std::string> environment;
  if (lpEnvironment) environment = EnvironmentBlock(static_cast<const char*>(lpEnvironment));
  std::string directory;
  if (lpCurrentDirectory) {
    winport::ResolvedPath resolved = winport::ResolvePath(lpCurrentDirectory);
    struct stat st;
    if (!resolved.found || stat(resolved.posix.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
      return Fail(ERROR_DIRECTORY);
    directory = resolved.posix;
  }

  pid_t pid = 0;
  error = Spawn(program.posixPath, args, lpEnvironment ? &environment : nullptr, directory, &pid);
  if (error != ERROR_SUCCESS) return Fail(error);
  winport::RegisterChild(pid, &lpProcessInformation->hProcess, &lpProcessInformation->hThread);
  lpProcessInformation->dwProcessId = static_cast<DWORD>(pid);
  lpProcessInformation->dwThreadId = static_cast<DWORD>(pid);
  return TRUE;
}
