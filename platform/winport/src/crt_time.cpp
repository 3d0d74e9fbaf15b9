// _tzset: the Windows runtime's name for setting the time zone from TZ.
#include <time.h>

extern "C" void _tzset(void) { tzset(); }
