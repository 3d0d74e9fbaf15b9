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

class ComponentFileTest : public ProfileCacheTest {
 protected:
  void TearDown() override {
    ProfileCacheTest::TearDown();
    if (!m_strComponentFile.empty()) std::remove(m_strComponentFile.c_str());
  }

  // The component file with these bytes.
  void WriteComponentFile(const std::string& bytes) {
    char folder[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathA(NULL, folder, CSIDL_LOCAL_APPDATA, TRUE));
    std::string path = std::string(folder) + "\\Microsoft\\VisualStudio\\8.0\\VCComponents.dat";
    for (char& c : path) {
      if (c == '\\' && !testsupport::OnWindows()) c = '/';
    }
    m_strComponentFile = path;
    testsupport::WriteBytes(m_strComponentFile, bytes);
  }

 private:
  std::string m_strComponentFile;
};
