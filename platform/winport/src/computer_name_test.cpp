// GetComputerNameA: buffer rules, the host name, and the registry's name.
#include <ctype.h>
#include <string.h>
#include <stdlib.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "testsupport/temp_dir.h"

namespace {

class ComputerNameTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    const char* old = getenv("WINPORT_ROOT");
    hadRoot_ = old != nullptr;
    if (old) savedRoot_ = old;
    setenv("WINPORT_ROOT", dir.file("winport").c_str(), 1);
  }
  void TearDown() override {
    if (hadRoot_) setenv("WINPORT_ROOT", savedRoot_.c_str(), 1);
    else unsetenv("WINPORT_ROOT");
  }
  void SetRegistryName(const char* name) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ComputerName\\ComputerName", 0,
                              nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "ComputerName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                                            static_cast<DWORD>(strlen(name) + 1)));
    RegCloseKey(key);
  }

 private:
  bool hadRoot_ = false;
  std::string savedRoot_;
};

TEST_F(ComputerNameTest, HostNameUpperCaseAtMostFifteenCharacters) {
  char host[256] = {};
  ASSERT_EQ(0, gethostname(host, sizeof host - 1));
  std::string expected(host, strcspn(host, "."));
  for (char& c : expected) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  if (expected.size() > 15) expected.resize(15);
  char name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = sizeof name;
  ASSERT_TRUE(GetComputerNameA(name, &size));
  EXPECT_EQ(expected, name);
  EXPECT_EQ(expected.size(), size);
}

TEST_F(ComputerNameTest, RegistryNameWins) {
  SetRegistryName("BUILDSRV");
  char name[16];
  DWORD size = sizeof name;
  ASSERT_TRUE(GetComputerNameA(name, &size));
  EXPECT_STREQ("BUILDSRV", name);
  EXPECT_EQ(8u, size);
}

TEST_F(ComputerNameTest, SmallBufferReportsTheSizeNeeded) {
  SetRegistryName("BUILDSRV");
  char name[8];
  DWORD size = sizeof name;
  EXPECT_FALSE(GetComputerNameA(name, &size));
  EXPECT_EQ(static_cast<DWORD>(ERROR_BUFFER_OVERFLOW), GetLastError());
  EXPECT_EQ(9u, size);
  char exact[9];
  size = sizeof exact;
  EXPECT_TRUE(GetComputerNameA(exact, &size));
  EXPECT_EQ(8u, size);
}

}  // namespace
