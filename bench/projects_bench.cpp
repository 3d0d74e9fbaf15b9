// Timings of the project list, the locator and the file search, for
// projects_bench.sh. PHOME names the home directory to work on.
//
//   projects_bench refresh           two Refresh calls of a project list: the
//                                    first walks (the cache is removed first),
//                                    the second reads the cache; prints
//                                    "walk S cache S projects N"
//   projects_bench locate COUNT      a locator refreshed, then COUNT calls of
//                                    GetProjectIndex over 1000 directories
//                                    (each asked once before the timing);
//                                    prints "ns_per_call N"
//   projects_bench find COUNT        COUNT PAFindFileInTree searches of a
//                                    project's header from a folder two levels
//                                    down in another branch of the project;
//                                    prints "us_per_search N" on stderr
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <chrono>
#include <string>
#include <vector>

#include <tekora/tekora.h>

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

std::string Home() {
  std::string home = getenv("PHOME");
  if (!home.empty() && home.back() != '/') home += '/';
  return home;
}

// The tree of projects_bench.sh: project p of 2000 in "g<p/100>/p<p>", with
// nine folders below it ("s0" to "s2", each with "t0" and "t1"); its include
// folder "s0" holds "h<p>.h".
std::string ProjectDir(int p) { return "g" + std::to_string(p / 100) + "/p" + std::to_string(p) + "/"; }

int Refresh() {
  remove((Home() + "utils/data.ini").c_str());
  PAWinProjectList list;
  if (!list.Init("", "project.ini")) return 2;
  auto start = std::chrono::steady_clock::now();
  if (!list.Refresh()) return 3;
  const double walk = Seconds(start);
  const int walked = list.GetCount();
  start = std::chrono::steady_clock::now();
  if (!list.Refresh()) return 4;
  const double cache = Seconds(start);
  if (list.GetCount() != walked) return 5;
  printf("walk %.4f cache %.4f projects %d\n", walk, cache, walked);
  return 0;
}

int Locate(long count) {
  PAProjectLocator locator;
  if (!locator.Init("", "project.ini") || !locator.Refresh()) return 2;
  std::vector<std::string> files;
  for (int d = 0; d < 1000; ++d) {
    std::string file = Home() + ProjectDir(d * 2) + "s0/h" + std::to_string(d * 2) + ".h";
    for (char& c : file)
      if (c == '/') c = '\\';
    files.push_back(file);
    if (locator.GetProjectIndex(file.c_str()) < 0) return 3;  // every one is a project's
  }
  auto start = std::chrono::steady_clock::now();
  long sum = 0;
  for (long i = 0; i < count; ++i) sum += locator.GetProjectIndex(files[i % files.size()].c_str());
  const double seconds = Seconds(start);
  printf("ns_per_call %.1f checksum %ld\n", seconds * 1e9 / count, sum);
  return 0;
}

int Find(long count) {
  // stdout carries one "Searching file:" line per search; it goes to the
  // null device here.
  if (!freopen("/dev/null", "w", stdout)) return 2;
  auto start = std::chrono::steady_clock::now();
  long found = 0;
  for (long i = 0; i < count; ++i) {
    const int p = static_cast<int>((i * 7919) % 2000);
    const std::string from = Home() + ProjectDir(p) + "s1/t1";
    CString name = ("h" + std::to_string(p) + ".h").c_str();
    found += PAFindFileInTree(from.c_str(), name);
  }
  const double seconds = Seconds(start);
  fprintf(stderr, "us_per_search %.1f found %ld\n", seconds * 1e6 / count, found);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && strcmp(argv[1], "refresh") == 0) return Refresh();
  if (argc >= 3 && strcmp(argv[1], "locate") == 0) return Locate(atol(argv[2]));
  if (argc >= 3 && strcmp(argv[1], "find") == 0) return Find(atol(argv[2]));
  fprintf(stderr, "usage: projects_bench refresh | locate COUNT | find COUNT\n");
  return 1;
}
