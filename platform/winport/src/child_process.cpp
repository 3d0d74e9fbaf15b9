// Process and thread handles: WaitForSingleObject, TerminateProcess,
// GetExitCodeProcess.
#include "child_process.h"

#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <vector>

#include "handle_table.h"

namespace winport {
namespace {

class ProcessObject : public HandleObject {
 public:
  ProcessObject(std::shared_ptr<ChildProcess> child, bool thread) : child(std::move(child)), thread(thread) {}
  std::shared_ptr<ChildProcess> child;
  bool thread;  // the main thread's handle: waitable, but no process calls
};

std::mutex& OrphanMutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<pid_t>& Orphans() {
  static std::vector<pid_t>* orphans = new std::vector<pid_t>;  // never destroyed
  return *orphans;
}

int OpenPidfd(pid_t pid) {
#ifdef SYS_pidfd_open
  long fd = syscall(SYS_pidfd_open, pid, 0);  // close-on-exec by default
  return fd >= 0 ? static_cast<int>(fd) : -1;
#else
  (void)pid;
  return -1;
#endif
}

// The Windows exit code a POSIX wait status stands for.
DWORD WindowsExitCode(int status, bool terminated, UINT terminateCode) {
  if (WIFEXITED(status)) return static_cast<DWORD>(WEXITSTATUS(status));
  if (!WIFSIGNALED(status)) return 0;
  int signal = WTERMSIG(status);
  if (terminated && signal == SIGKILL) return terminateCode;
  switch (signal) {
    case SIGSEGV:
    case SIGBUS: return 0xC0000005u;  // access violation
    case SIGILL: return 0xC000001Du;  // illegal instruction
    case SIGFPE: return 0xC0000094u;  // integer division by zero
    case SIGABRT: return 3;           // abort() of the Windows runtime
    case SIGINT: return 0xC000013Au;  // ended by Ctrl+C
    default: return 128u + static_cast<DWORD>(signal);
  }
}

ProcessObject* LookupProcess(HANDLE handle, bool allowThread) {
  ProcessObject* object = dynamic_cast<ProcessObject*>(FindHandle(handle));
  if (!object || (object->thread && !allowThread)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return object;
}

}  // namespace

ChildProcess::ChildProcess(pid_t pid) : pid_(pid), pidfd_(OpenPidfd(pid)) {}

ChildProcess::~ChildProcess() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!ReapLocked()) {
    std::lock_guard<std::mutex> orphans(OrphanMutex());
    Orphans().push_back(pid_);
  }
  if (pidfd_ >= 0) close(pidfd_);
}

bool ChildProcess::ReapLocked() {
  if (reaped_) return true;
  int status = 0;
  pid_t result;
  do {
    result = waitpid(pid_, &status, WNOHANG);
  } while (result < 0 && errno == EINTR);
  if (result == 0) return false;
  reaped_ = true;
  // ECHILD: someone else reaped it (SIGCHLD ignored); its code is lost.
  status_ = result == pid_ ? status : 0;
  return true;
}

bool ChildProcess::HasEnded() {
  std::lock_guard<std::mutex> lock(mutex_);
  return ReapLocked();
}

bool ChildProcess::Wait(DWORD milliseconds) {
  using Clock = std::chrono::steady_clock;
  const bool forever = milliseconds == INFINITE;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : milliseconds);
  for (;;) {
    if (HasEnded()) return true;
    long long left = forever ? INT_MAX
                             : std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    int slice = static_cast<int>(left < INT_MAX ? left : INT_MAX);
    if (pidfd_ >= 0) {
      pollfd wait = {pidfd_, POLLIN, 0};
      poll(&wait, 1, slice);  // EINTR or time-out: the loop checks again
    } else {
      // Without process descriptors: look again every few milliseconds.
      int step = slice < 5 ? slice : 5;
      struct timespec pause = {0, step * 1000000L};
      nanosleep(&pause, nullptr);
    }
  }
}

DWORD ChildProcess::ExitCode() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!ReapLocked()) return STILL_ACTIVE;
  return WindowsExitCode(status_, terminated_, terminateCode_);
}

DWORD ChildProcess::Terminate(UINT exitCode) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (ReapLocked()) return ERROR_ACCESS_DENIED;
    // Not reaped, so the pid is still this child's (at worst a zombie).
    if (kill(pid_, SIGKILL) != 0) return WinportErrorFromErrno(errno);
    terminated_ = true;
    terminateCode_ = exitCode;
  }
  // A killed process ends within moments; waiting here makes the exit code
  // read next the one given, instead of STILL_ACTIVE.
  Wait(5000);
  return ERROR_SUCCESS;
}

void RegisterChild(pid_t pid, HANDLE* process, HANDLE* thread) {
  auto child = std::make_shared<ChildProcess>(pid);
  *process = RegisterHandle(new ProcessObject(child, false));
  *thread = RegisterHandle(new ProcessObject(child, true));
}

void ReapOrphans() {
  std::lock_guard<std::mutex> lock(OrphanMutex());
  std::vector<pid_t>& orphans = Orphans();
  for (size_t i = 0; i < orphans.size();) {
    pid_t result = waitpid(orphans[i], nullptr, WNOHANG);
    if (result == 0 || (result < 0 && errno == EINTR)) {
      ++i;
    } else {
      orphans.erase(orphans.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}

}  // namespace winport

using winport::ProcessObject;

extern "C" DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  ProcessObject* object = winport::LookupProcess(hHandle, true);
  if (!object) return WAIT_FAILED;
  std::shared_ptr<winport::ChildProcess> child = object->child;  // stays alive if the handle is closed meanwhile
  return child->Wait(dwMilliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

extern "C" BOOL WINAPI TerminateProcess(HANDLE hProcess, UINT uExitCode) {
  ProcessObject* object = winport::LookupProcess(hProcess, false);
  if (!object) return FALSE;
  std::shared_ptr<winport::ChildProcess> child = object->child;
  DWORD error = child->Terminate(uExitCode);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}

extern "C" BOOL WINAPI GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode) {
  ProcessObject* object = winport::LookupProcess(hProcess, false);
  if (!object) return FALSE;
  if (!lpExitCode) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  std::shared_ptr<winport::ChildProcess> child = object->child;
  *lpExitCode = child->ExitCode();
  return TRUE;
}
