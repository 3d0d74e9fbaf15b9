// IsBadWritePtr and IsBadReadPtr without touching memory from user code: the
// kernel copies the range through a pipe and reports EFAULT for any byte it
// cannot access, where a direct access would crash the process.
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdint.h>
#include <unistd.h>
#include <windows.h>

namespace {

const size_t kPiece = 4096;  // never more than a pipe holds

enum class Access { kRead, kWrite };

// The calling thread's stack from the current frame up to its top is always
// mapped and writable, so a range there (a caller's local buffer, the common
// case) needs no check and no system call.
bool OnOwnStack(const void* pointer, UINT_PTR size) {
  thread_local uintptr_t t_top = 0;
  thread_local bool t_known = false;
  if (!t_known) {
    t_known = true;
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) == 0) {
      void* low = nullptr;
      size_t length = 0;
      if (pthread_attr_getstack(&attr, &low, &length) == 0) t_top = reinterpret_cast<uintptr_t>(low) + length;
      pthread_attr_destroy(&attr);
    }
  }
  const uintptr_t frame = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
  const uintptr_t begin = reinterpret_cast<uintptr_t>(pointer);
  return t_top != 0 && begin >= frame && begin < t_top && size <= t_top - begin;
}

// Copies the range through the pipe piece by piece. For a write check each
// piece is copied out into the pipe and read back into place, so every byte
// is written with its own value. *clean tells whether the pipe is empty
// again afterwards.
BOOL CopyThrough(int readEnd, int writeEnd, char* p, UINT_PTR size, Access access, bool* clean) {
  *clean = true;
  UINT_PTR done = 0;
  while (done < size) {
    size_t piece = size - done < kPiece ? static_cast<size_t>(size - done) : kPiece;
    ssize_t written = write(writeEnd, p + done, piece);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno == EFAULT;
    }
    if (access == Access::kWrite) {
      ssize_t back = read(readEnd, p + done, static_cast<size_t>(written));
      if (back != written) {
        // A short read stopped at a byte it could not write.
        *clean = false;
        return back >= 0 || errno == EFAULT;
      }
    } else {
      char sink[kPiece];
      if (read(readEnd, sink, static_cast<size_t>(written)) != written) {
        *clean = false;
        return FALSE;
      }
    }
    done += static_cast<UINT_PTR>(written);
  }
  return FALSE;
}

// The pipe a thread checks its ranges through. Opening one costs three
// system calls (pipe2 and two closes), more than the check itself, so each
// thread keeps one for its life. It is empty between checks; one whose state
// is in doubt after a check is closed, and the next check opens another.
struct ThreadPipe {
  int readEnd = -1;
  int writeEnd = -1;
  bool busy = false;  // a check runs on it (a signal handler may start another)

  ~ThreadPipe() { Close(); }

  bool Open() {
    if (readEnd >= 0) return true;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    readEnd = fds[0];
    writeEnd = fds[1];
    return true;
  }

  void Close() {
    if (readEnd < 0) return;
    close(readEnd);
    close(writeEnd);
    readEnd = writeEnd = -1;
  }
};

thread_local ThreadPipe t_pipe;

// A forked child runs on a copy of the forking thread, whose pipe it shares
// with the parent: the two would read each other's bytes. The child closes
// its copies and opens a pipe of its own at its first check.
void CloseInForkedChild() { t_pipe.Close(); }

BOOL IsBad(const void* pointer, UINT_PTR size, Access access) {
  if (size == 0) return FALSE;
  if (!pointer) return TRUE;
  if (OnOwnStack(pointer, size)) return FALSE;
  static const bool forkHandled = pthread_atfork(nullptr, nullptr, CloseInForkedChild) == 0;
  char* p = static_cast<char*>(const_cast<void*>(pointer));
  bool clean;
  ThreadPipe& kept = t_pipe;
  if (forkHandled && !kept.busy && kept.Open()) {
    kept.busy = true;
    const BOOL bad = CopyThrough(kept.readEnd, kept.writeEnd, p, size, access, &clean);
    if (!clean) kept.Close();
    kept.busy = false;
    return bad;
  }
  // A check inside a check: a pipe of its own.
  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return FALSE;  // cannot tell: assume good
  const BOOL bad = CopyThrough(fds[0], fds[1], p, size, access, &clean);
  close(fds[0]);
  close(fds[1]);
  return bad;
}

}  // namespace

extern "C" BOOL WINAPI IsBadWritePtr(LPVOID lp, UINT_PTR ucb) { return IsBad(lp, ucb, Access::kWrite); }

extern "C" BOOL WINAPI IsBadReadPtr(const void* lp, UINT_PTR ucb) { return IsBad(lp, ucb, Access::kRead); }
