// Test-side support for the registry tests (never part of the library): a
// test with a registry key of its own, named after the test's folder, since
// tests run side by side, and on Windows they share one registry.
#pragma once

#include <string>

#include <tekora/tekora.h>
#include <testsupport/temp_dir.h>

class OwnRegistryKeyTest : public testsupport::IsolatedTest {
 protected:
  explicit OwnRegistryKeyTest(const std::string& prefix)
      : m_strTestKey("Software\\TekoraTests\\" + prefix + "-" + dir.path().substr(dir.path().find_last_of("\\/") + 1)) {}
  void TearDown() override {
    PARegKey cleaner;
    cleaner.DeleteKeyTree(HKEY_CURRENT_USER, testKey());
    cleaner.DeleteKey(HKEY_CURRENT_USER, "Software\\TekoraTests");  // once no other test uses it
  }
  const char* testKey() const { return m_strTestKey.c_str(); }

 private:
  const std::string m_strTestKey;
};
