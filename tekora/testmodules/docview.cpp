// A stand-in for the suite's document viewer, for the document tests: it
// lands as bin/docview (docview.exe on Windows), where the library looks for
// the viewer, and is built only with the tests.
//   docview ARGFILE
//   DOCVIEW_COPY_TO=FOLDER  copies ARGFILE to FOLDER/args.txt and the file
//                           its third line names to FOLDER/document.txt
//   DOCVIEW_HANG=1          sleeps for a minute first
//   DOCVIEW_CRASH=1         aborts
//   DOCVIEW_EXIT=N          ends with exit code N (default 0)
// It links nothing of the system.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <chrono>
#include <string>
#include <thread>

namespace {

// The library writes Windows paths; POSIX opens them with slashes.
std::string Native(std::string path) {
#ifndef _WIN32
  for (char& c : path)
    if (c == '\\') c = '/';
#endif
  return path;
}

bool Copy(const std::string& from, const std::string& to) {
  FILE* in = fopen(Native(from).c_str(), "rb");
  if (!in) return false;
  FILE* out = fopen(to.c_str(), "wb");
  if (!out) {
    fclose(in);
    return false;
  }
  char buffer[65536];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, in)) > 0) fwrite(buffer, 1, n, out);
  fclose(in);
  fclose(out);
  return true;
}

// The third line of the argument file: the document's copy.
std::string DocumentOf(const std::string& argumentFile) {
  FILE* in = fopen(Native(argumentFile).c_str(), "rb");
  if (!in) return "";
  std::string text;
  int c;
  int lines = 0;
  while ((c = fgetc(in)) != EOF && lines < 3) {
    if (c == '\n') {
      ++lines;
    } else if (lines == 2 && c != '\r') {
      text += static_cast<char>(c);
    }
  }
  fclose(in);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 100;
  if (getenv("DOCVIEW_CRASH")) abort();
  if (getenv("DOCVIEW_HANG")) std::this_thread::sleep_for(std::chrono::seconds(60));
  if (const char* folder = getenv("DOCVIEW_COPY_TO")) {
    if (!Copy(argv[1], std::string(folder) + "/args.txt")) return 101;
    std::string document = DocumentOf(argv[1]);
    if (!document.empty() && !Copy(document, std::string(folder) + "/document.txt")) return 102;
  }
  const char* exitCode = getenv("DOCVIEW_EXIT");
  return exitCode ? atoi(exitCode) : 0;
}
