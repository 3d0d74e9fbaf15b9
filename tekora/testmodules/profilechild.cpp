// A program that the profile tests start as their child:
//   profilechild write FILE SECTION KEY VALUE   sets the key through the
//                                               shared profile cache and
//                                               ends normally: the library
//                                               saves it on the way out
//   profilechild threadwrite FILE SECTION KEY VALUE
//                                               the same from a second thread
//                                               that is still running when
//                                               the program ends
//   profilechild saveloop FILE ENTRIES          saves FILE over and over,
//                                               alternating the two versions
//                                               of profile_content.h, until
//                                               it is ended from outside
// Any other use ends with exit code 100.
#include <stdlib.h>
#include <string.h>

#include <atomic>
#include <thread>

#include <tekora/tekora.h>

#include "profile_content.h"

int main(int argc, char** argv) {
  if (argc == 6 && strcmp(argv[1], "write") == 0) {
    return PAWritePrivateProfileString(argv[3], argv[4], argv[5], argv[2]) ? 0 : 101;
  }
  if (argc == 6 && strcmp(argv[1], "threadwrite") == 0) {
    static std::atomic<bool> written(false);
    std::thread([argv] {
      PAWritePrivateProfileString(argv[3], argv[4], argv[5], argv[2]);
      written = true;
      for (;;) Sleep(1000);
    }).detach();
    while (!written) Sleep(1);
    return 0;
  }
  if (argc == 4 && strcmp(argv[1], "saveloop") == 0) {
    const int entries = atoi(argv[3]);
    PAIniFile first(argv[2]), second(argv[2]);
    FillProfileVersion(first, 0, entries);
    FillProfileVersion(second, 1, entries);
    for (;;) {
      if (!first.Save() || !second.Save()) return 102;
    }
  }
  return 100;
}
