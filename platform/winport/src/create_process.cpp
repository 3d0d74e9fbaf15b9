// CreateProcessA: a Windows command line started as a POSIX child process.
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <string.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>
#include <vector>

#include "batch_runner.h"
#include "child_process.h"
#include "child_streams.h"
#include "command_line.h"
#include "file_descriptors.h"
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

// The descriptors behind the standard handles of STARTF_USESTDHANDLES: a
// file handle of the layer gives its descriptor, a null or invalid handle
// the null device (a POSIX child always has all three).
bool StreamsOf(const STARTUPINFOA& startup, winport::ChildStreams* streams) {
  if (!(startup.dwFlags & STARTF_USESTDHANDLES)) return true;
  const HANDLE handles[3] = {startup.hStdInput, startup.hStdOutput, startup.hStdError};
  for (int i = 0; i < 3; ++i) {
    if (!handles[i] || handles[i] == INVALID_HANDLE_VALUE) {
      streams->fds[i] = winport::ChildStreams::kNullStream;
      continue;
    }
    streams->fds[i] = winport::FileDescriptorOf(handles[i]);
    if (streams->fds[i] < 0) return false;
  }
  return true;
}

// Starts the program; the result is the Windows error of the attempt.
DWORD Spawn(const std::string& path, std::vector<std::string>& args, char* const* environment,
            const std::string& directory, const winport::ChildStreams& streams, pid_t* pid) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  for (int fd = 0; fd < 3; ++fd) {
    if (streams.fds[fd] == winport::ChildStreams::kNullStream)
      posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
    else if (streams.fds[fd] >= 0 && streams.fds[fd] != fd)
      posix_spawn_file_actions_adddup2(&actions, streams.fds[fd], fd);
  }
  // No other handle of the layer reaches the child: only standard input,
  // output and error, as a console child's on Windows.
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
  int error = posix_spawn(pid, path.c_str(), &actions, &attributes, argv.data(), environment ? environment : environ);
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
  if (dwCreationFlags & (CREATE_SUSPENDED | DEBUG_PROCESS | DEBUG_ONLY_THIS_PROCESS | CREATE_UNICODE_ENVIRONMENT))
    return Fail(ERROR_NOT_SUPPORTED);
  winport::ChildStreams streams;
  if (!StreamsOf(*lpStartupInfo, &streams)) return Fail(ERROR_INVALID_HANDLE);
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

  std::vector<std::string> environment;
  if (lpEnvironment) environment = EnvironmentBlock(static_cast<const char*>(lpEnvironment));
  std::vector<char*> environmentPointers = Pointers(environment);
  char* const* childEnvironment = lpEnvironment ? environmentPointers.data() : nullptr;
  std::string directory;
  if (lpCurrentDirectory) {
    winport::ResolvedPath resolved = winport::ResolvePath(lpCurrentDirectory);
    struct stat st;
    if (!resolved.found || stat(resolved.posix.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
      return Fail(ERROR_DIRECTORY);
    directory = resolved.posix;
  }

  pid_t pid = 0;
  if (program.isBatch) {
    error = winport::StartBatchFile(program.posixPath, lpCurrentDirectory ? lpCurrentDirectory : "", directory,
                                    childEnvironment, streams, &pid);
  } else {
    std::vector<std::string> args =
        commandLine.empty() ? std::vector<std::string>{name} : winport::SplitCommandLine(commandLine);
    error = Spawn(program.posixPath, args, childEnvironment, directory, streams, &pid);
  }
  if (error != ERROR_SUCCESS) return Fail(error);
  winport::RegisterChild(pid, &lpProcessInformation->hProcess, &lpProcessInformation->hThread);
  lpProcessInformation->dwProcessId = static_cast<DWORD>(pid);
  lpProcessInformation->dwThreadId = static_cast<DWORD>(pid);
  return TRUE;
}
