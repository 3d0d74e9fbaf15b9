// Timings of the project tree, for config_tree_bench.sh.
//
//   config_tree_bench FILE ROOT   loads the tree of section ROOT of FILE
//                                 (PANodeObject::Load along the CHILDS lists),
//                                 changes one value, saves the tree and the
//                                 profile cache; prints the seconds of the
//                                 load and of the save, their processor time,
//                                 the sections loaded, and the peak memory
//                                 with the memory the process held before
//                                 the load (its libraries)
#include <stdio.h>
#include <string.h>
#include <sys/resource.h>
#include <time.h>

#include <chrono>

#include <tekora/tekora.h>

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The process's peak and present resident memory in kB, from Linux's
// /proc/self/status; the peak from getrusage (which after exec may still be
// the parent's) and 0 where that file cannot be read.
void ResidentKb(long* peak, long* now) {
  *peak = 0;
  *now = 0;
  if (FILE* status = fopen("/proc/self/status", "r")) {
    char line[256];
    while (fgets(line, sizeof line, status)) {
      sscanf(line, "VmHWM: %ld", peak);
      sscanf(line, "VmRSS: %ld", now);
    }
    fclose(status);
  }
  if (*peak == 0) {
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    *peak = usage.ru_maxrss;
  }
}

int CountNodes(PANodeObject* node, void* user) {
  ++*static_cast<long*>(user);
  (void)node;
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: config_tree_bench FILE ROOT\n");
    return 1;
  }
  long startPeak = 0, startKb = 0;
  ResidentKb(&startPeak, &startKb);
  const clock_t cpuStart = clock();
  auto start = std::chrono::steady_clock::now();
  PANodeObject* root = new PANodeObject;
  root->SetFile(argv[1]);
  root->SetName(argv[2]);
  if (!root->Load()) return 2;
  const double load = Seconds(start);
  long sections = 0;
  root->Walk(CountNodes, &sections);
  if (root->GetItemCount() == 0) return 3;
  root->GetItem(0)->SetValue("changed");
  auto saveStart = std::chrono::steady_clock::now();
  root->Save();
  if (!PASaveProfiles()) return 4;
  const double save = Seconds(saveStart);
  const double cpu = static_cast<double>(clock() - cpuStart) / CLOCKS_PER_SEC;
  long peakKb = 0, nowKb = 0;
  ResidentKb(&peakKb, &nowKb);
  printf("load %.3f save %.3f total %.3f cpu %.3f sections %ld peak_kb %ld start_kb %ld\n", load, save, load + save,
         cpu, sections, peakKb, startKb);
  delete root;
  return 0;
}
