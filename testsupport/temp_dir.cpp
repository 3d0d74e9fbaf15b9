// The part of TempDir that is the same on every platform.
#include "testsupport/temp_dir.h"

namespace testsupport {

std::string TempDir::winPath(const std::string& name) const {
  std::string result = name.empty() ? path_ : file(name);
  for (char& c : result)
    if (c == '/') c = '\\';
  return result;
}

}  // namespace testsupport
