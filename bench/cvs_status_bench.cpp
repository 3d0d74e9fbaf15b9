// Timings of PACvsStatus, for cvs_status_bench.sh.
//
//   cvs_status_bench FILE COUNT   runs COUNT status queries on FILE (a file
//                                 of a working copy below PHOME); prints the
//                                 seconds of all of them, the processor
//                                 seconds they took (with their children's),
//                                 and the working revision the last one found
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <chrono>

#include <tekora/tekora.h>

namespace {

// Processor seconds of this process and of its children that have ended.
double ProcessorSeconds() {
  double seconds = 0;
  for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
    struct rusage usage;
    getrusage(who, &usage);
    seconds += usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  }
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: cvs_status_bench FILE COUNT\n");
    return 2;
  }
  const int count = atoi(argv[2]);
  CString tag, revision;
  const double startProcessor = ProcessorSeconds();
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    if (!PACvsStatus(argv[1], tag, revision)) {
      fprintf(stderr, "query %d gave 0\n", i);
      return 1;
    }
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  printf("seconds %.6f cpu %.6f revision %s\n", seconds, ProcessorSeconds() - startProcessor, revision.GetString());
  return revision.IsEmpty() ? 1 : 0;
}
