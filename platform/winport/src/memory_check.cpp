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

// Checks the range piece by piece. For a write check each piece is copied
// out into the pipe and read back into place, so every byte is written with
// its own value.
BOOL IsBad(const void* pointer, UINT_PTR size, Access access) {
  if (size == 0) return FALSE;
  if (!pointer) return TRUE;
  if (OnOwnStack(pointer, size)) return FALSE;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return FALSE;  // cannot tell: assume good
  BOOL bad = FALSE;
  char* p = static_cast<char*>(const_cast<void*>(pointer));
  UINT_PTR done = 0;
  while (done < size && !bad) {
    size_t piece = size - done < kPiece ? static_cast<size_t>(size - done) : kPiece;
    ssize_t written = write(fds[1], p + done, piece);
    if (written < 0) {
      if (errno == EINTR) continue;
      bad = errno == EFAULT;
      break;
    }
    if (access == Access::kWrite) {
      ssize_t back = read(fds[0], p + done, static_cast<size_t>(written));
      if (back != written) {
        // A short read stopped at a byte it could not write.
        bad = back >= 0 || errno == EFAULT;
        break;
      }
    } else {
      char sink[kPiece];
      if (read(fds[0], sink, static_cast<size_t>(written)) != written) break;
    }
    done += static_cast<UINT_PTR>(written);
  }
  close(fds[0]);
  close(fds[1]);
  return bad;
}

}  // namespace

extern "C" BOOL WINAPI IsBadWritePtr(LPVOID lp, UINT_PTR ucb) { return IsBad(lp, ucb, Access::kWrite); }

extern "C" BOOL WINAPI IsBadReadPtr(const void* lp, UINT_PTR ucb) { return IsBad(lp, ucb, Access::kRead); }
