// Throughput of quillet's comment check on ordinary SQL text: CheckScript on
// the file, and CheckScriptBytes on its bytes in memory (the check of a
// script merged from one read), next to a plain read of the same file. Prints the
// rates, their ratios and the processor time of each (on a busy machine the
// elapsed times say little).
//
// Usage: check_script_bench FOLDER [MEGABYTES]
// Writes FOLDER/bench.sql (CR LF line ends, as scripts are stored) and
// removes it at the end. The temporary files of the check go to $TMPDIR.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <time.h>

#include <chrono>
#include <string>
#include <vector>

#include "check_script.h"

namespace {

const char* const kLines[] = {
    "-- Monthly totals per customer\r\n",
    "SELECT c.customer_id, c.name, SUM(o.amount) AS total, COUNT(*) AS orders\r\n",
    "  FROM customers c\r\n",
    "  JOIN orders o ON o.customer_id = c.customer_id  -- open orders only\r\n",
    " WHERE o.status = 'OPEN' AND c.region IN ('NORTH', 'SOUTH''WEST')\r\n",
    "   AND o.created >= DATEADD(month, -1, GETDATE())\r\n",
    " GROUP BY c.customer_id, c.name\r\n",
    "HAVING SUM(o.amount) > 100 / 2;\r\n",
    "\r\n",
    "/* Keep the totals table in step with the view. */\r\n",
    "INSERT INTO totals (id, value, note) VALUES (1, 2 * 3 - 4, 'x');\r\n",
    "UPDATE totals SET value = value + 1 WHERE id IN (SELECT id FROM pending);\r\n",
    "\tGO\r\n",
    "\r\n",
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double CpuSeconds(clock_t since) { return static_cast<double>(clock() - since) / CLOCKS_PER_SEC; }

// Reads the whole file in chunks as the scanner does, without looking at it.
double PlainRead(const char* path) {
  const auto start = std::chrono::steady_clock::now();
  FILE* file = fopen(path, "rb");
  if (!file) return 0;
  static char buffer[128000];
  while (fread(buffer, 1, sizeof buffer, file) > 0) {
  }
  fclose(file);
  return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: %s FOLDER [MEGABYTES]\n", argv[0]);
    return 2;
  }
  const size_t megabytes = argc > 2 ? strtoul(argv[2], nullptr, 10) : 256;
  const std::string path = std::string(argv[1]) + "/bench.sql";

  FILE* out = fopen(path.c_str(), "wb");
  if (!out) {
    fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
  }
  size_t size = 0;
  while (size < megabytes << 20) {
    for (const char* line : kLines) {
      fputs(line, out);
      size += strlen(line);
    }
  }
  fclose(out);

  // The script's bytes in memory, as the merge reads them.
  std::vector<char> bytes;
  {
    FILE* in = fopen(path.c_str(), "rb");
    if (!in) return 1;
    static char buffer[128000];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, in)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    fclose(in);
  }

  // Best of three of each, after a first read that brings the file into the cache.
  PlainRead(path.c_str());
  double check = 1e9, read = 1e9, memory = 1e9, checkCpu = 1e9, memoryCpu = 1e9;
  unsigned int code = 0, memoryCode = 0;
  for (int round = 0; round < 3; ++round) {
    auto start = std::chrono::steady_clock::now();
    clock_t cpu = clock();
    code = CheckScript(path.c_str());
    double seconds = Seconds(start);
    if (seconds < check) check = seconds;
    if (CpuSeconds(cpu) < checkCpu) checkCpu = CpuSeconds(cpu);
    start = std::chrono::steady_clock::now();
    cpu = clock();
    memoryCode = CheckScriptBytes(bytes.data(), bytes.size());
    seconds = Seconds(start);
    if (seconds < memory) memory = seconds;
    if (CpuSeconds(cpu) < memoryCpu) memoryCpu = CpuSeconds(cpu);
    const double plain = PlainRead(path.c_str());
    if (plain < read) read = plain;
  }
  _unlink(path.c_str());

  const double mb = static_cast<double>(size) / 1e6;
  printf("CheckScript: %.1f MB of SQL, result %u (bytes in memory: %u)\n", mb, code, memoryCode);
  printf("  CheckScript      %8.0f MB/s   processor %8.0f MB/s\n", mb / check, mb / checkCpu);
  printf("  CheckScriptBytes %8.0f MB/s   processor %8.0f MB/s (target >= 1500)\n", mb / memory, mb / memoryCpu);
  printf("  plain read       %8.0f MB/s\n", mb / read);
  printf("  ratio            %8.2f (CheckScript / plain read), %.2f (CheckScriptBytes / plain read)\n", read / check,
         read / memory);
  return code == 0 && memoryCode == 0 ? 0 : 1;
}
