// The registry store: round trips of every value type, the Windows size
// rules, key handling, the file format, damaged files and other processes.
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "testsupport/files.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::Exists;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

const char kSettings[] = "Software\\Kestrova\\Utils\\quillet\\Settings";

class RegistryTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    const char* old = getenv("WINPORT_ROOT");
    hadRoot_ = old != nullptr;
    if (old) savedRoot_ = old;
    unsetenv("WINPORT_ROOT");  // the default below XDG_CONFIG_HOME, which the test owns
  }
  void TearDown() override {
    if (hadRoot_) setenv("WINPORT_ROOT", savedRoot_.c_str(), 1);
  }

  std::string UserFile() { return dir.file(".config/winport/registry/HKEY_CURRENT_USER.reg"); }

  HKEY Create(const char* path, REGSAM access = KEY_ALL_ACCESS, HKEY root = HKEY_CURRENT_USER) {
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, path, 0, nullptr, 0, access, nullptr, &key, nullptr));
    return key;
  }
  LSTATUS SetString(HKEY key, const char* name, const char* text, DWORD type = REG_SZ) {
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
  }
  LSTATUS SetDword(HKEY key, const char* name, DWORD value) {
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  // The value's type and bytes, read back through a fresh open.
  std::string Query(const char* path, const char* name, DWORD* type) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    BYTE buffer[1024];
    DWORD size = sizeof buffer;
    LSTATUS status = RegQueryValueExA(key, name, nullptr, type, buffer, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return "<error " + std::to_string(status) + ">";
    return std::string(reinterpret_cast<char*>(buffer), size);
  }

 private:
  bool hadRoot_ = false;
  std::string savedRoot_;
};

TEST_F(RegistryTest, EveryValueTypeRoundTripsThroughTheFile) {
  HKEY key = Create(kSettings);
  ASSERT_NE(nullptr, key);
  EXPECT_EQ(ERROR_SUCCESS, SetDword(key, "MessageBox", 0));
  EXPECT_EQ(ERROR_SUCCESS, SetString(key, "Path", "C:\\Tools\\\"q\"", REG_SZ));
  EXPECT_EQ(ERROR_SUCCESS, SetString(key, "Expand", "%PHOME%\\x", REG_EXPAND_SZ));
  const char multi[] = "a\0bc\0";
  EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof multi));
  const BYTE binary[] = {0x00, 0xFF, 0x10, 0x0A, 0x0D};
  EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Bin", 0, REG_BINARY, binary, sizeof binary));
  EXPECT_EQ(ERROR_SUCCESS, SetString(key, nullptr, "default"));
  EXPECT_EQ(ERROR_SUCCESS, SetString(key, "Lines", "one\r\ntwo"));
  RegCloseKey(key);

  DWORD type = 0;
  EXPECT_EQ(std::string("\0\0\0\0", 4), Query(kSettings, "messagebox", &type));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
  EXPECT_EQ(std::string("C:\\Tools\\\"q\"\0", 13), Query(kSettings, "Path", &type));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ(std::string("%PHOME%\\x\0", 10), Query(kSettings, "Expand", &type));
  EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), type);
  EXPECT_EQ(std::string(multi, sizeof multi), Query(kSettings, "Multi", &type));
  EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(binary), sizeof binary), Query(kSettings, "Bin", &type));
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
  EXPECT_EQ(std::string("default\0", 8), Query(kSettings, "", &type));
  EXPECT_EQ(std::string("one\r\ntwo\0", 9), Query(kSettings, "Lines", &type));
}

TEST_F(RegistryTest, FileIsInTheRegFormat) {
  HKEY key = Create(kSettings);
  SetDword(key, "MessageBox", 0x12ab);
  SetString(key, "Path", "C:\\A \"B\"");
  SetString(key, "Exp", "%X%", REG_EXPAND_SZ);
  RegCloseKey(key);
  std::string text = ReadBytes(UserFile());
  EXPECT_EQ(0u, text.find("Windows Registry Editor Version 5.00\r\n\r\n"));
  EXPECT_NE(std::string::npos, text.find("[HKEY_CURRENT_USER\\Software\\Kestrova\\Utils\\quillet\\Settings]\r\n"));
  EXPECT_NE(std::string::npos, text.find("\"MessageBox\"=dword:000012ab\r\n"));
  EXPECT_NE(std::string::npos, text.find("\"Path\"=\"C:\\\\A \\\"B\\\"\"\r\n"));
  EXPECT_NE(std::string::npos, text.find("\"Exp\"=hex(2):25,00,58,00,25,00,00,00\r\n"));
}

TEST_F(RegistryTest, HandWrittenFileIsRead) {
  for (const char* folder : {".config", ".config/winport", ".config/winport/registry"})
    mkdir(dir.file(folder).c_str(), 0700);
  WriteBytes(UserFile(),
             "Windows Registry Editor Version 5.00\n\n"
             "; a comment\n"
             "[HKEY_CURRENT_USER\\Software\\Test]\n"
             "\"Bytes\"=hex:01,02,\\\n  03,04\n"
             "@=\"dflt\"\n");
  DWORD type = 0;
  EXPECT_EQ(std::string("\x01\x02\x03\x04", 4), Query("software\\TEST", "bytes", &type));
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
  EXPECT_EQ(std::string("dflt\0", 5), Query("Software\\Test", nullptr, &type));
}

TEST_F(RegistryTest, QuerySizeRules) {
  HKEY key = Create(kSettings);
  SetString(key, "Name", "abcdef");
  DWORD type = 0, size = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Name", nullptr, &type, nullptr, &size));
  EXPECT_EQ(7u, size);  // the terminator counts
  char small[4] = {'x', 'x', 'x', 'x'};
  size = sizeof small;
  EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExA(key, "Name", nullptr, &type, reinterpret_cast<BYTE*>(small), &size));
  EXPECT_EQ(7u, size);
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  char exact[7];
  size = sizeof exact;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Name", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), &size));
  EXPECT_STREQ("abcdef", exact);
  EXPECT_EQ(ERROR_INVALID_PARAMETER, RegQueryValueExA(key, "Name", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), nullptr));
  // A string stored without its terminator gets one.
  EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("xyz"), 3));
  size = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Bare", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(4u, size);
  RegCloseKey(key);
}

TEST_F(RegistryTest, MissingKeysAndValuesAreFileNotFound) {
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, kSettings, 0, KEY_READ, &key));
  EXPECT_EQ(nullptr, key);
  key = Create(kSettings);
  DWORD size = 0;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(key, "MessageBox", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(key, nullptr, nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValueA(key, "MessageBox"));
  RegCloseKey(key);
  EXPECT_FALSE(Exists(dir.file(".config/winport/registry/HKEY_LOCAL_MACHINE.reg")));
}

TEST_F(RegistryTest, KeyNamesIgnoreCaseAndKeepTheirFirstSpelling) {
  DWORD disposition = 0;
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\MyApp", 0, nullptr, 0, KEY_ALL_ACCESS,
                                           nullptr, &key, &disposition));
  EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
  RegCloseKey(key);
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\myapp", 0, nullptr, 0, KEY_ALL_ACCESS,
                                           nullptr, &key, &disposition));
  EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
  SetDword(key, "V", 1);
  RegCloseKey(key);
  EXPECT_NE(std::string::npos, ReadBytes(UserFile()).find("[HKEY_CURRENT_USER\\Software\\MyApp]"));
  // A sub-key opened relative to an open key.
  HKEY software, app;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "software", 0, KEY_READ, &software));
  EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(software, "MYAPP", 0, KEY_READ, &app));
  RegCloseKey(app);
  RegCloseKey(software);
}

TEST_F(RegistryTest, ValueNamesIgnoreCase) {
  HKEY key = Create(kSettings);
  SetDword(key, "MessageBox", 1);
  SetDword(key, "MESSAGEBOX", 2);
  DWORD type, value = 0, size = sizeof value;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "messagebox", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size));
  EXPECT_EQ(2u, value);
  DWORD count = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                                            nullptr, nullptr, nullptr));
  EXPECT_EQ(1u, count);
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(key, "MessageBOX"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(key, "MessageBox", nullptr, nullptr, nullptr, &size));
  RegCloseKey(key);
}

TEST_F(RegistryTest, AccessRightsAreEnforced) {
  RegCloseKey(Create(kSettings));
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kSettings, 0, KEY_READ, &key));
  EXPECT_EQ(ERROR_ACCESS_DENIED, SetDword(key, "MessageBox", 0));
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteValueA(key, "MessageBox"));
  RegCloseKey(key);
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kSettings, 0, KEY_SET_VALUE, &key));
  DWORD size = 0;
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegQueryValueExA(key, "MessageBox", nullptr, nullptr, nullptr, &size));
  RegCloseKey(key);
}

TEST_F(RegistryTest, HandlesAreChecked) {
  HKEY key = Create(kSettings);
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(key));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(key));
  EXPECT_EQ(ERROR_INVALID_HANDLE, SetDword(key, "x", 1));
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(HKEY_CURRENT_USER));
  EXPECT_FALSE(CloseHandle(reinterpret_cast<HANDLE>(Create(kSettings))));
}

TEST_F(RegistryTest, EnumerationAndKeyDeletion) {
  RegCloseKey(Create("Software\\Top\\beta"));
  RegCloseKey(Create("Software\\Top\\Alpha\\Leaf"));
  RegCloseKey(Create("Software\\Top\\gamma"));
  HKEY top;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Top", 0, KEY_ALL_ACCESS, &top));
  char name[256];
  std::string names;
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    LSTATUS status = RegEnumKeyExA(top, i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(ERROR_SUCCESS, status);
    EXPECT_EQ(strlen(name), length);
    names += std::string(name) + ";";
  }
  EXPECT_EQ("Alpha;beta;gamma;", names);
  DWORD tiny = 3;
  EXPECT_EQ(ERROR_MORE_DATA, RegEnumKeyExA(top, 0, name, &tiny, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyA(top, "alpha"));  // it has a sub-key
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(top, "Alpha\\LEAF"));
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(top, "alpha"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteKeyA(top, "alpha"));
  SetString(top, "first", "1");
  SetDword(top, "second", 2);
  DWORD length = sizeof name, type = 0, size = 0;
  ASSERT_EQ(ERROR_SUCCESS, RegEnumValueA(top, 1, name, &length, nullptr, &type, nullptr, &size));
  EXPECT_STREQ("second", name);
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
  EXPECT_EQ(4u, size);
  length = sizeof name;
  EXPECT_EQ(ERROR_NO_MORE_ITEMS, RegEnumValueA(top, 2, name, &length, nullptr, nullptr, nullptr, nullptr));
  RegCloseKey(top);
}

TEST_F(RegistryTest, DamagedFileIsAnErrorAndStaysUntouched) {
  RegCloseKey(Create(kSettings));
  const std::string damaged = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\X]\r\ngarbage line\r\n";
  WriteBytes(UserFile(), damaged);
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_BADDB, RegOpenKeyExA(HKEY_CURRENT_USER, "X", 0, KEY_READ, &key));
  EXPECT_EQ(ERROR_BADDB, RegCreateKeyExA(HKEY_CURRENT_USER, "Y", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
  DWORD size = 0;
  EXPECT_EQ(ERROR_BADDB, RegQueryValueExA(HKEY_CURRENT_USER, "v", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(damaged, ReadBytes(UserFile()));
  WriteBytes(UserFile(), "not a registry file\r\n");
  EXPECT_EQ(ERROR_BADDB, RegOpenKeyExA(HKEY_CURRENT_USER, "X", 0, KEY_READ, &key));
  WriteBytes(UserFile(), "Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\X]\r\n");
  EXPECT_EQ(ERROR_BADDB, RegOpenKeyExA(HKEY_CURRENT_USER, "X", 0, KEY_READ, &key));
  // The other root is a file of its own and still works.
  RegCloseKey(Create("Software", KEY_ALL_ACCESS, HKEY_LOCAL_MACHINE));
}

TEST_F(RegistryTest, WinportRootNamesTheStore) {
  setenv("WINPORT_ROOT", dir.file("elsewhere").c_str(), 1);
  HKEY key = Create(kSettings);
  SetDword(key, "MessageBox", 7);
  RegCloseKey(key);
  unsetenv("WINPORT_ROOT");
  EXPECT_TRUE(Exists(dir.file("elsewhere/registry/HKEY_CURRENT_USER.reg")));
  EXPECT_FALSE(Exists(UserFile()));
}

TEST_F(RegistryTest, ChangesOfOtherProcessesAreSeenAndNotLost) {
  RegCloseKey(Create(kSettings));
  DWORD type = 0;
  EXPECT_EQ("<error 2>", Query(kSettings, "Child0", &type));  // also fills this process's cache
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    if (children[c] == 0) {
      HKEY key;
      if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettings, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) _exit(1);
      for (int i = 0; i < 20; ++i) {
        std::string name = "Child" + std::to_string(c) + "_" + std::to_string(i);
        DWORD value = static_cast<DWORD>(i);
        if (RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4) != ERROR_SUCCESS)
          _exit(2);
      }
      _exit(0);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kSettings, 0, KEY_READ, &key));
  DWORD values = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                                            nullptr, nullptr, nullptr));
  EXPECT_EQ(40u, values);
  RegCloseKey(key);
  EXPECT_EQ(std::string("\x13\0\0\0", 4), Query(kSettings, "Child1_19", &type));
}

}  // namespace
