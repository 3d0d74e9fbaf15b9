// GetLocalTime, GetSystemTime and Sleep.
#include <errno.h>
#include <sched.h>
#include <time.h>
#include <windows.h>

namespace {

void Fill(const struct tm& when, long nanoseconds, LPSYSTEMTIME out) {
  out->wYear = static_cast<WORD>(when.tm_year + 1900);
  out->wMonth = static_cast<WORD>(when.tm_mon + 1);
  out->wDayOfWeek = static_cast<WORD>(when.tm_wday);
  out->wDay = static_cast<WORD>(when.tm_mday);
  out->wHour = static_cast<WORD>(when.tm_hour);
  out->wMinute = static_cast<WORD>(when.tm_min);
  // A leap second shows as the last second of its minute, as Windows has none.
  out->wSecond = static_cast<WORD>(when.tm_sec > 59 ? 59 : when.tm_sec);
  out->wMilliseconds = static_cast<WORD>(nanoseconds / 1000000);
}

void Now(bool local, LPSYSTEMTIME out) {
  if (!out) return;
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  struct tm when;
  if ((local ? localtime_r(&now.tv_sec, &when) : gmtime_r(&now.tv_sec, &when)) == nullptr) {
    *out = SYSTEMTIME{1970, 1, 4, 1, 0, 0, 0, 0};
    return;
  }
  Fill(when, now.tv_nsec, out);
}

}  // namespace

extern "C" void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime) { Now(true, lpSystemTime); }

extern "C" void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime) { Now(false, lpSystemTime); }

extern "C" void WINAPI Sleep(DWORD dwMilliseconds) {
  if (dwMilliseconds == 0) {
    sched_yield();
    return;
  }
  struct timespec left;
  left.tv_sec = static_cast<time_t>(dwMilliseconds / 1000);
  left.tv_nsec = static_cast<long>(dwMilliseconds % 1000) * 1000000L;
  // A signal cuts nanosleep short; Windows' Sleep is not interrupted.
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}
