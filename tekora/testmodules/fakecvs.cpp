// A stand-in for the CVS client, for the query tests: it lands as
// bin/fakecvs/cvs (cvs.exe on Windows), which the tests put on PATH.
//   FAKECVS_ARGS=FILE     writes each argument as "[ARG]" into FILE
//   FAKECVS_READ_INPUT=1  reads standard input to its end first, as a cvs
//                         that asks for a password would wait for an answer
//   FAKECVS_OUTPUT=FILE   prints FILE's bytes on standard output
//   FAKECVS_EXIT=N        ends with exit code N (default 0)
// It links nothing of the system, so that it runs wherever it is copied.
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
  if (const char* argsFile = getenv("FAKECVS_ARGS")) {
    FILE* out = fopen(argsFile, "wb");
    if (!out) return 101;
    for (int i = 1; i < argc; ++i) fprintf(out, "[%s]", argv[i]);
    fclose(out);
  }
  if (getenv("FAKECVS_READ_INPUT")) {
    while (getchar() != EOF) {
    }
  }
  if (const char* outputFile = getenv("FAKECVS_OUTPUT")) {
    FILE* in = fopen(outputFile, "rb");
    if (!in) return 102;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, in)) > 0) fwrite(buffer, 1, n, stdout);
    fclose(in);
  }
  const char* exitCode = getenv("FAKECVS_EXIT");
  return exitCode ? atoi(exitCode) : 0;
}
