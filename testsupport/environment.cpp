#include "testsupport/environment.h"

#include <stdlib.h>

namespace testsupport {

void SetEnv(const std::string& name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name.c_str(), value.c_str());
#else
  setenv(name.c_str(), value.c_str(), 1);
#endif
}

void UnsetEnv(const std::string& name) {
#ifdef _WIN32
  _putenv_s(name.c_str(), "");
#else
  unsetenv(name.c_str());
#endif
}

ScopedEnv::ScopedEnv(const std::string& name, const std::string& value) : name_(name) {
  const char* old = getenv(name.c_str());
  had_ = old != nullptr;
  if (had_) saved_ = old;
  SetEnv(name, value);
}

ScopedEnv::~ScopedEnv() {
  if (had_)
    SetEnv(name_, saved_);
  else
    UnsetEnv(name_);
}

namespace {
const char* const kTempVariables[] = {"TMPDIR", "TMP", "TEMP"};
}  // namespace

ScopedTempFolder::ScopedTempFolder(const std::string& path) {
  for (const char* name : kTempVariables) saved_.push_back(std::make_unique<ScopedEnv>(name, path));
}

void ScopedTempFolder::Set(const std::string& path) {
  for (const char* name : kTempVariables) SetEnv(name, path);
}

}  // namespace testsupport
