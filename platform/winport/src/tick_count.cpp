// GetTickCount: milliseconds since the system started, in 32 bits.
#include <stdlib.h>
#include <time.h>
#include <windows.h>

namespace {

// The test's shift of the clock (WINPORT_TICK_OFFSET), 0 when unset.
DWORD TickOffset() {
  const char* offset = getenv("WINPORT_TICK_OFFSET");
  return offset ? static_cast<DWORD>(strtoll(offset, nullptr, 10)) : 0;
}

}  // namespace

extern "C" DWORD WINAPI GetTickCount(void) {
  struct timespec now;
  // The boot-time clock goes on while the system sleeps, as Windows' count does.
  if (clock_gettime(CLOCK_BOOTTIME, &now) != 0) clock_gettime(CLOCK_MONOTONIC, &now);
  const unsigned long long milliseconds =
      static_cast<unsigned long long>(now.tv_sec) * 1000u + static_cast<unsigned long long>(now.tv_nsec) / 1000000u;
  // Unsigned arithmetic wraps modulo 2 to the power 32, as the count does.
  return static_cast<DWORD>(milliseconds) + TickOffset();
}
