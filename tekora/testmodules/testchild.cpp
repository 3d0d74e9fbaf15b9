// A small program that the tests start as a child process, through
// PARunProcess and CreateProcessA:
//   testchild exit N                  ends with exit code N
//   testchild sleep MS                sleeps MS milliseconds, then ends with 0
//   testchild args FILE ARG...        writes each ARG as "[ARG]" into FILE
//   testchild regwrite KEY NAME COUNT writes COUNT numbers NAME0, NAME1 ...
//                                     below HKEY_CURRENT_USER\KEY, one
//                                     registry change each
//   testchild checkconfig PATH        prints what PACheckConfigFile gives
// Any other use ends with exit code 100.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include <tekora/tekora.h>

int main(int argc, char** argv) {
  if (argc < 2) return 100;
  const char* mode = argv[1];
  if (strcmp(mode, "exit") == 0 && argc == 3) return atoi(argv[2]);
  if (strcmp(mode, "sleep") == 0 && argc == 3) {
    Sleep(static_cast<DWORD>(atoi(argv[2])));
    return 0;
  }
  if (strcmp(mode, "args") == 0 && argc >= 3) {
    FILE* out = fopen(argv[2], "wb");
    if (!out) return 101;
    for (int i = 3; i < argc; ++i) fprintf(out, "[%s]", argv[i]);
    fclose(out);
    return 0;
  }
  if (strcmp(mode, "regwrite") == 0 && argc == 5) {
    const int count = atoi(argv[4]);
    for (int i = 0; i < count; ++i) {
      char name[64];
      snprintf(name, sizeof name, "%s%d", argv[3], i);
      PARegDword value(HKEY_CURRENT_USER, argv[2], name, 0, 0, 0);
      value.Set(i);
      if (!value.Write()) return 102;
    }
    return 0;
  }
  if (strcmp(mode, "checkconfig") == 0 && argc == 3) {
    unsigned int size = 0;
    int result = PACheckConfigFile(argv[2], &size);
    printf("result %d size %u\n", result, size);
    return 0;
  }
  return 100;
}
