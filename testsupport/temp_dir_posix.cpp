#include "testsupport/temp_dir.h"

#include <ftw.h>
#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <stdexcept>

namespace testsupport {
namespace {

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
  ::remove(path);
  return 0;
}

void SaveEnv(const char* name, std::string& saved, bool& had) {
  const char* value = getenv(name);
  had = value != nullptr;
  if (had) saved = value;
}

void RestoreEnv(const char* name, const std::string& saved, bool had) {
  if (had)
    setenv(name, saved.c_str(), 1);
  else
    unsetenv(name);
}

}  // namespace

TempDir::TempDir() {
  const char* base = getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/tekora-test-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  char real[PATH_MAX];
  path_ = realpath(pattern.c_str(), real) ? real : pattern;

  char cwd[PATH_MAX];
  if (getcwd(cwd, sizeof cwd)) savedCwd_ = cwd;
  SaveEnv("XDG_CONFIG_HOME", savedConfig_, hadConfig_);
  SaveEnv("XDG_DATA_HOME", savedData_, hadData_);
  setenv("XDG_CONFIG_HOME", (path_ + "/.config").c_str(), 1);
  setenv("XDG_DATA_HOME", (path_ + "/.local/share").c_str(), 1);
  if (chdir(path_.c_str()) != 0) throw std::runtime_error("chdir failed");
}

TempDir::~TempDir() {
  if (!savedCwd_.empty() && chdir(savedCwd_.c_str()) != 0) {
    // The old folder is gone; stay where we are.
  }
  RestoreEnv("XDG_CONFIG_HOME", savedConfig_, hadConfig_);
  RestoreEnv("XDG_DATA_HOME", savedData_, hadData_);
  nftw(path_.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

std::string TempDir::file(const std::string& name) const { return path_ + "/" + name; }

}  // namespace testsupport
