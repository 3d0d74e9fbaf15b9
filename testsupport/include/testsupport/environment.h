// Environment variables for a test, the same way on every platform.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace testsupport {

void SetEnv(const std::string& name, const std::string& value);
void UnsetEnv(const std::string& name);

// Sets a variable for the lifetime of the object, then restores it.
class ScopedEnv {
 public:
  ScopedEnv(const std::string& name, const std::string& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_, saved_;
  bool had_;
};

// Points the system's temporary folder (TMPDIR on POSIX, TMP and TEMP on
// Windows) at a folder for the lifetime of the object, then restores it.
class ScopedTempFolder {
 public:
  explicit ScopedTempFolder(const std::string& path);
  // Points it somewhere else.
  void Set(const std::string& path);

 private:
  std::vector<std::unique_ptr<ScopedEnv>> saved_;
};

}  // namespace testsupport
