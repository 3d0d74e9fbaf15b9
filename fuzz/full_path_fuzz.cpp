// _fullpath and the path resolver: a full path is absolute, in backslashes,
// without "." or ".." components, and its own full path; it fits a buffer
// exactly when the buffer holds it and its terminator. A path the resolver
// finds names an existing entry, and resolving its result finds it again.
#include <stdlib.h>
#include <sys/stat.h>

#include <string>

#include "../platform/winport/src/path_resolver.h"
#include "fuzz_support.h"

namespace {

// A small tree to resolve against, inside the harness's folder.
const std::string& Tree() {
  static const std::string tree = [] {
    const std::string root = fuzz::PathOf("Tree");
    mkdir(root.c_str(), 0700);
    mkdir((root + "/Sub").c_str(), 0700);
    fuzz::WriteFile(root + "/File.txt", "x");
    fuzz::WriteFile(root + "/Sub/Deep.ini", "y");
    fuzz::WriteFile(root + "/Sub/deep.INI", "z");
    return root;
  }();
  return tree;
}

bool HasDotComponent(const std::string& path) {
  size_t start = 0;
  for (;;) {
    const size_t end = path.find('\\', start);
    const std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (part == "." || part == "..") return true;
    if (end == std::string::npos) return false;
    start = end + 1;
  }
}

void CheckFullPath(const std::string& path) {
  char* full = _fullpath(nullptr, path.c_str(), 0);
  if (full == nullptr) return;
  const std::string result = full;
  free(full);
  FUZZ_CHECK(!result.empty() && result[0] == '\\', fuzz::Escaped(path) + " gave " + fuzz::Escaped(result));
  FUZZ_CHECK(result.find('/') == std::string::npos, fuzz::Escaped(path) + " gave " + fuzz::Escaped(result));
  FUZZ_CHECK(!HasDotComponent(result), fuzz::Escaped(path) + " gave " + fuzz::Escaped(result));
  char* again = _fullpath(nullptr, result.c_str(), 0);
  FUZZ_CHECK(again != nullptr && result == again, fuzz::Escaped(path) + " gave " + fuzz::Escaped(result));
  free(again);
  std::string buffer(result.size() + 1, 'x');
  FUZZ_CHECK(_fullpath(&buffer[0], path.c_str(), result.size() + 1) != nullptr && buffer.c_str() == result,
             fuzz::Escaped(path));
  FUZZ_CHECK(_fullpath(&buffer[0], path.c_str(), result.size()) == nullptr, fuzz::Escaped(path));
}

void CheckResolved(const std::string& path) {
  const winport::ResolvedPath resolved = winport::ResolvePath(path.c_str());
  if (!resolved.valid) return;
  struct stat status;
  const bool exists = stat(resolved.posix.c_str(), &status) == 0;
  if (resolved.found) {
    FUZZ_CHECK(exists, fuzz::Escaped(path) + " resolved to " + fuzz::Escaped(resolved.posix));
    const winport::ResolvedPath again = winport::ResolvePath(resolved.posix.c_str());
    FUZZ_CHECK(again.found && again.posix == resolved.posix,
               fuzz::Escaped(path) + " resolved to " + fuzz::Escaped(resolved.posix));
  }
  FUZZ_CHECK(!resolved.found || resolved.parentFound, fuzz::Escaped(path));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  input = input.substr(0, input.find('\0'));
  CheckFullPath(input);
  // The same text inside the tree, as a Windows and as a POSIX path.
  CheckResolved(Tree() + "\\" + input);
  CheckResolved(Tree() + "/" + input);
  CheckResolved(input);
  return 0;
}
