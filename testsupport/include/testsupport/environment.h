// Environment variables for a test, the same way on every platform.
#pragma once

#include <string>

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

}  // namespace testsupport
