// Timings of the INI model and the profile cache, for profiles_bench.sh.
//
//   profiles_bench cycle FILE SECTION KEY   loads FILE into a PAIniFile, sets
//                                           one key, saves; prints the seconds
//                                           of each step, of all three, and the
//                                           processor time of all three
//   profiles_bench reads FILE COUNT         reads COUNT cached keys of FILE
//                                           with PAGetPrivateProfileString;
//                                           prints the nanoseconds per read
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <chrono>
#include <string>
#include <vector>

#include <tekora/tekora.h>

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

int Cycle(const char* path, const char* section, const char* key) {
  const clock_t cpuStart = clock();
  auto start = std::chrono::steady_clock::now();
  PAIniFile ini(path);
  if (!ini.Load()) return 2;
  double load = Seconds(start);
  auto changeStart = std::chrono::steady_clock::now();
  PAIniSection* found = ini.FindSection(section);
  if (found == nullptr || !found->SetEntry(key, "changed", 1)) return 3;
  double change = Seconds(changeStart);
  auto saveStart = std::chrono::steady_clock::now();
  if (!ini.Save()) return 4;
  double save = Seconds(saveStart);
  const double cpu = static_cast<double>(clock() - cpuStart) / CLOCKS_PER_SEC;
  printf("load %.3f change %.6f save %.3f total %.3f cpu %.3f\n", load, change, save, load + change + save, cpu);
  return 0;
}

int Reads(const char* path, long count) {
  // The keys of the file, read once so that every timed read is a cached one.
  char names[1 << 16];
  std::vector<std::pair<std::string, std::string>> keys;
  PAGetPrivateProfileSectionNames(names, sizeof names, path);
  for (const char* s = names; *s; s += strlen(s) + 1) {
    static char keyNames[1 << 20];
    PAGetPrivateProfileKeyNames(s, keyNames, sizeof keyNames, path);
    for (const char* k = keyNames; *k; k += strlen(k) + 1) keys.emplace_back(s, k);
  }
  if (keys.empty()) return 5;
  char buffer[260];
  long total = 0;
  auto start = std::chrono::steady_clock::now();
  for (long i = 0; i < count; ++i) {
    const auto& key = keys[static_cast<size_t>(i) % keys.size()];
    total += PAGetPrivateProfileString(key.first.c_str(), key.second.c_str(), "", buffer, sizeof buffer, path);
  }
  double seconds = Seconds(start);
  printf("reads %ld keys %zu ns_per_read %.1f chars %ld\n", count, keys.size(), seconds * 1e9 / count, total);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && strcmp(argv[1], "cycle") == 0) return Cycle(argv[2], argv[3], argv[4]);
  if (argc == 4 && strcmp(argv[1], "reads") == 0) return Reads(argv[2], atol(argv[3]));
  fprintf(stderr, "usage: profiles_bench cycle FILE SECTION KEY | reads FILE COUNT\n");
  return 1;
}
