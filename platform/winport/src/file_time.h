// FILETIME values (100-nanosecond intervals since 1601-01-01 UTC) from POSIX times.
#pragma once

#include <time.h>
#include <windows.h>

namespace winport {

FILETIME FileTimeFromTimespec(const struct timespec& time);

}  // namespace winport
