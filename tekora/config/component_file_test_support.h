// Test-side support for the tests of the system include folders (never part
// of the library): the development environment's component file, written
// below the local application data folder (the test's own on POSIX, the
// user's on Windows) and removed again after the test.
#pragma once

#include <shlobj.h>
#include <stdio.h>

#include <string>

#include <gtest/gtest.h>
#include <testsupport/files.h>
#include <testsupport/platform.h>

#include "../profiles/profile_cache_test_support.h"

// The component file, written with the bytes given and removed when this
// goes.
class ComponentFile {
 public:
  ComponentFile() = default;
  ComponentFile(const ComponentFile&) = delete;
  ComponentFile& operator=(const ComponentFile&) = delete;
  ~ComponentFile() {
    if (!m_strPath.empty()) std::remove(m_strPath.c_str());
  }

  void Write(const std::string& bytes) {
    char folder[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathA(NULL, folder, CSIDL_LOCAL_APPDATA, TRUE));
    std::string path = std::string(folder) + "\\Microsoft\\VisualStudio\\8.0\\VCComponents.dat";
    for (char& c : path) {
      if (c == '\\' && !testsupport::OnWindows()) c = '/';
    }
    m_strPath = path;
    testsupport::WriteBytes(m_strPath, bytes);
  }

  // The file listing these include folders.
  void WriteIncludeDirs(const std::string& includeDirs) {
    Write(testsupport::CrLf({"[VC\\VC_OBJECTS_PLATFORM_INFO\\Win32\\Directories]", ("Include Dirs=" + includeDirs).c_str()}));
  }

 private:
  std::string m_strPath;
};

class ComponentFileTest : public ProfileCacheTest {
 protected:
  // The component file with these bytes.
  void WriteComponentFile(const std::string& bytes) { m_componentFile.Write(bytes); }

  ComponentFile m_componentFile;
};
