#include "testsupport/temp_dir.h"

#include <direct.h>
#include <stdlib.h>
#include <windows.h>

#include <filesystem>
#include <stdexcept>

namespace testsupport {

namespace {

// The folder of the test that started this process, if any. Windows has no
// fork: a death test runs its statement in a new process that sets up the
// test again, and exits without cleaning up. Its folder therefore goes inside
// the parent test's folder, which the parent removes, instead of into a
// temporary folder the test may be watching.
const char kParentVariable[] = "TEKORA_TEST_PARENT_DIR";

}  // namespace

TempDir::TempDir() {
  char base[MAX_PATH];
  const char* parent = getenv(kParentVariable);
  if (parent) savedParent_ = parent;
  if (!savedParent_.empty()) {
    snprintf(base, sizeof base, "%s\\", savedParent_.c_str());
  } else if (!GetTempPathA(MAX_PATH, base)) {
    throw std::runtime_error("GetTempPathA failed");
  }
  for (unsigned attempt = GetTickCount();; ++attempt) {
    char name[MAX_PATH];
    snprintf(name, sizeof name, "%stekora-test-%08x", base, attempt);
    if (CreateDirectoryA(name, nullptr)) {
      path_ = name;
      break;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("CreateDirectoryA failed");
  }
  char cwd[MAX_PATH];
  if (_getcwd(cwd, MAX_PATH)) savedCwd_ = cwd;
  // The XDG folders mean nothing to Windows; they are set all the same, so
  // that a test sees the same environment on every platform.
  _putenv_s("XDG_CONFIG_HOME", (path_ + "\\.config").c_str());
  _putenv_s("XDG_DATA_HOME", (path_ + "\\.local\\share").c_str());
  if (_chdir(path_.c_str()) != 0) throw std::runtime_error("chdir failed");
  _putenv_s(kParentVariable, path_.c_str());
}

TempDir::~TempDir() {
  _putenv_s(kParentVariable, savedParent_.c_str());
  if (!savedCwd_.empty()) _chdir(savedCwd_.c_str());
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::file(const std::string& name) const { return path_ + "\\" + name; }

}  // namespace testsupport
