// PAGetCompilerGeneration: which development environment the suite builds
// with. Any non-zero value makes the configuration read the compiler's
// include directories from the environment's component file; 2 stands for
// the generation whose component file lives under VisualStudio\8.0.
#include <tekora/time_guid.h>

int PAGetCompilerGeneration(void) { return 2; }
