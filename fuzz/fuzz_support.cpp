// The harnesses' private folder and their property check.
#include "fuzz_support.h"

#include <dirent.h>
#include <ftw.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace fuzz {

namespace {

std::string MakeFolder() {
  const char* base = getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/tekora-fuzz-XXXXXX";
  if (mkdtemp(&pattern[0]) == nullptr) {
    perror("mkdtemp");
    abort();
  }
  return pattern + "/";
}

int RemoveEntry(const char* path, const struct stat*, int, FTW*) { return remove(path); }

// Removes the folder with everything in it.
void RemoveFolder() { nftw(Folder().c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS); }

}  // namespace

const std::string& Folder() {
  // Never destroyed: the folder is removed at exit, after static objects go.
  static const std::string* folder = [] {
    std::string* made = new std::string(MakeFolder());
    atexit(RemoveFolder);
    return made;
  }();
  return *folder;
}

std::string PathOf(const char* name) { return Folder() + name; }

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) Fail("WriteFile", path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string FolderEntries(const std::string& subfolder) {
  std::vector<std::string> names;
  if (DIR* dir = opendir((Folder() + subfolder).c_str())) {
    while (dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : "|") + name;
  return joined;
}

void Fail(const char* what, const std::string& detail) {
  fprintf(stderr, "property failed: %s\n%s\n", what, detail.c_str());
  abort();
}

}  // namespace fuzz

namespace fuzz {

std::string Escaped(const std::string& bytes) {
  std::string out = "\"";
  for (unsigned char c : bytes) {
    if (c == '\\' || c == '"') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out + "\"";
}

}  // namespace fuzz
