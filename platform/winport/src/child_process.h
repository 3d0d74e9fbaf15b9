// A started child process as its handles see it: waiting for it, ending it,
// and its exit code in Windows terms. The process handle and the main
// thread's handle share one ChildProcess; the child is reaped (waitpid) once,
// by whichever call first finds it ended, and a child whose handles are all
// closed while it still runs is reaped later, so no zombie stays behind.
#pragma once

#include <sys/types.h>
#include <windows.h>

#include <memory>
#include <mutex>

namespace winport {

class ChildProcess {
 public:
  explicit ChildProcess(pid_t pid);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  // Waits up to `milliseconds` (INFINITE: no limit); true once it has ended.
  bool Wait(DWORD milliseconds);
  // True when the process has ended (checked without waiting).
  bool HasEnded();
  // The exit code; STILL_ACTIVE while it runs.
  DWORD ExitCode();
  // Kills the process and records `exitCode` as its exit code; waits until
  // the system has ended it. ERROR_SUCCESS, or ERROR_ACCESS_DENIED when it
  // had ended already.
  DWORD Terminate(UINT exitCode);

 private:
  bool ReapLocked();  // non-blocking waitpid; true when ended

  std::mutex mutex_;
  pid_t pid_;
  int pidfd_ = -1;  // readable once the process has ended; -1 where the system has none
  bool reaped_ = false;
  int status_ = 0;
  bool terminated_ = false;
  UINT terminateCode_ = 0;
};

// Registers the handles of a started child: its process handle and the
// handle of its main thread (which ends with it).
void RegisterChild(pid_t pid, HANDLE* process, HANDLE* thread);

// Reaps children whose handles were closed while they ran and that have
// ended since.
void ReapOrphans();

}  // namespace winport
