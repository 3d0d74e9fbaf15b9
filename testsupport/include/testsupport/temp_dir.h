// A fresh temporary folder for one test. While it lives, XDG_CONFIG_HOME and
// XDG_DATA_HOME point into it, so the registry store, the Windows folder and
// the application data folder of the platform layer are the test's own.
#pragma once

#include <gtest/gtest.h>
#include <string>

namespace testsupport {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder's POSIX path, without a trailing slash.
  const std::string& path() const { return path_; }
  // path() + "/" + name.
  std::string file(const std::string& name) const;
  // The same path in the Windows form the library produces: backslashes.
  std::string winPath(const std::string& name = "") const;

 private:
  std::string path_;
  std::string savedConfig_, savedData_, savedCwd_, savedParent_;
  bool hadConfig_ = false, hadData_ = false;
};

// A test that runs inside its own TempDir (also its working directory).
class IsolatedTest : public ::testing::Test {
 protected:
  TempDir dir;
};

}  // namespace testsupport
