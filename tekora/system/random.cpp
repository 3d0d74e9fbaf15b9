// PARandom: a uniform random number below a bound.
#include <stdlib.h>

#include <tekora/system.h>

namespace {

// The largest number the Windows runtime's rand() gives. Other runtimes give
// more bits; only the low 15 are used, so every runtime draws from the
// same range.
const int kRandMax = 32767;

}  // namespace

int PARandom(int n) {
  if (n < 1 || n > kRandMax) return 0;
  // Draws at or above the last whole multiple of n are drawn again, so each
  // result covers the same number of draws.
  const int limit = kRandMax - kRandMax % n;
  const int step = kRandMax / n;
  int draw;
  do {
    draw = rand() & kRandMax;
  } while (draw >= limit);
  return draw / step;
}
