// A program that the version-header tests start as their child:
//   headerchild writeloop FILE VARIABLES   writes FILE over and over,
//                                          alternating the two versions of
//                                          header_content.h, until it is
//                                          ended from outside
// Any other use ends with exit code 100.
#include <stdlib.h>
#include <string.h>

#include <tekora/tekora.h>

#include "header_content.h"

int main(int argc, char** argv) {
  if (argc == 4 && strcmp(argv[1], "writeloop") == 0) {
    const int variables = atoi(argv[3]);
    PAVersion first, second;
    FillHeaderVersion(first, 0, variables);
    FillHeaderVersion(second, 1, variables);
    for (;;) {
      if (!first.WriteHeader(argv[2]) || !second.WriteHeader(argv[2])) return 102;
    }
  }
  return 100;
}
