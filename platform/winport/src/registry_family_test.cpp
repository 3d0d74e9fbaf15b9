// Key classes, very long key names and large values in the registry store,
// and the file staying readable (hex data wrapped as the registry editor
// wraps it).
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include <sstream>
#include <string>

#include "testsupport/files.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::ReadBytes;

class RegistryFamilyTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    const char* old = getenv("WINPORT_ROOT");
    hadRoot_ = old != nullptr;
    if (old) savedRoot_ = old;
    unsetenv("WINPORT_ROOT");
  }
  void TearDown() override {
    if (hadRoot_) setenv("WINPORT_ROOT", savedRoot_.c_str(), 1);
  }
  std::string UserFile() { return dir.file(".config/winport/registry/HKEY_CURRENT_USER.reg"); }
  HKEY Create(const std::string& path, const char* className = nullptr, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, const_cast<char*>(className), 0,
                                             KEY_ALL_ACCESS, nullptr, &key, disposition));
    return key;
  }
  // The class of an open key, as RegQueryInfoKeyA tells it.
  static std::string ClassOf(HKEY key) {
    char className[64];
    DWORD classLength = sizeof className;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryInfoKeyA(key, className, &classLength, nullptr, nullptr, nullptr, nullptr,
                                              nullptr, nullptr, nullptr, nullptr, nullptr));
    return className;
  }

 private:
  bool hadRoot_ = false;
  std::string savedRoot_;
};

TEST_F(RegistryFamilyTest, ClassesAreKeptAndEnumerated) {
  RegCloseKey(Create("Software\\Top\\Alpha", "AlphaClass"));
  RegCloseKey(Create("Software\\Top\\Beta"));
  DWORD disposition = 0;
  RegCloseKey(Create("Software\\Top\\alpha", "Other", &disposition));  // exists: keeps its class
  EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
  EXPECT_NE(std::string::npos, ReadBytes(UserFile()).find("[HKEY_CURRENT_USER\\Software\\Top\\Alpha]\r\n;Class=\"AlphaClass\"\r\n"));

  HKEY top;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Top", 0, KEY_READ, &top));
  char name[64], className[64];
  DWORD nameLength = sizeof name, classLength = sizeof className;
  ASSERT_EQ(ERROR_SUCCESS, RegEnumKeyExA(top, 0, name, &nameLength, nullptr, className, &classLength, nullptr));
  EXPECT_STREQ("Alpha", name);
  EXPECT_STREQ("AlphaClass", className);
  EXPECT_EQ(10u, classLength);
  nameLength = sizeof name, classLength = sizeof className;
  ASSERT_EQ(ERROR_SUCCESS, RegEnumKeyExA(top, 1, name, &nameLength, nullptr, className, &classLength, nullptr));
  EXPECT_STREQ("", className);
  EXPECT_EQ(0u, classLength);
  // A class that does not fit its buffer with the terminator.
  nameLength = sizeof name, classLength = 10;
  EXPECT_EQ(ERROR_MORE_DATA, RegEnumKeyExA(top, 0, name, &nameLength, nullptr, className, &classLength, nullptr));
  DWORD subKeys = 0, maxClass = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryInfoKeyA(top, nullptr, nullptr, nullptr, &subKeys, nullptr, &maxClass, nullptr,
                                            nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(2u, subKeys);
  EXPECT_EQ(10u, maxClass);
  RegCloseKey(top);

  HKEY alpha;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Top\\Alpha", 0, KEY_READ, &alpha));
  EXPECT_EQ("AlphaClass", ClassOf(alpha));
  RegCloseKey(alpha);
}

TEST_F(RegistryFamilyTest, ClassCommentsOfAHandWrittenFile) {
  testsupport::WriteBytes(UserFile(),
                          "Windows Registry Editor Version 5.00\r\n\r\n"
                          "[HKEY_CURRENT_USER\\Software\\Hand]\r\n"
                          ";Class=not quoted, so an ordinary comment\r\n"
                          "[HKEY_CURRENT_USER\\Software\\Hand\\Sub]\r\n"
                          ";Class=\"Quoted \\\"class\\\"\"\r\n");
  HKEY hand;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Hand", 0, KEY_READ, &hand));
  char name[64], className[64];
  DWORD nameLength = sizeof name, classLength = sizeof className;
  ASSERT_EQ(ERROR_SUCCESS, RegEnumKeyExA(hand, 0, name, &nameLength, nullptr, className, &classLength, nullptr));
  EXPECT_STREQ("Quoted \"class\"", className);
  EXPECT_EQ("", ClassOf(hand));
  RegCloseKey(hand);
}

TEST_F(RegistryFamilyTest, VeryLongKeyNamesWork) {
  for (size_t length : {300u, 5000u}) {
    std::string name(length, 'k');
    name[0] = 'K';
    HKEY key = Create("Software\\Long\\" + name);
    ASSERT_NE(nullptr, key);
    RegCloseKey(key);
    HKEY parent;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Long", 0, KEY_ALL_ACCESS, &parent));
    std::string buffer(length + 1, '\0');
    DWORD size = static_cast<DWORD>(length);  // one short of the terminator
    EXPECT_EQ(ERROR_MORE_DATA, RegEnumKeyExA(parent, 0, &buffer[0], &size, nullptr, nullptr, nullptr, nullptr));
    size = static_cast<DWORD>(length + 1);
    ASSERT_EQ(ERROR_SUCCESS, RegEnumKeyExA(parent, 0, &buffer[0], &size, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(length, size);
    EXPECT_EQ(name, buffer.substr(0, size));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(parent, name.c_str()));
    RegCloseKey(parent);
  }
}

TEST_F(RegistryFamilyTest, LargeValuesRoundTripAndTheFileStaysReadable) {
  std::string binary(1 << 20, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 7 + i / 256);
  std::string text(1 << 20, 'x');
  text[100] = '"';
  text[200] = '\\';
  HKEY key = Create("Software\\Big");
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Bin", 0, REG_BINARY, reinterpret_cast<const BYTE*>(binary.data()),
                                          static_cast<DWORD>(binary.size())));
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                          static_cast<DWORD>(text.size() + 1)));
  const char multi[] = "a\0b\0";
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof multi));
  RegCloseKey(key);

  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Big", 0, KEY_READ, &key));
  std::string read(binary.size(), '\0');
  DWORD size = static_cast<DWORD>(read.size()), type = 0;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Bin", nullptr, &type, reinterpret_cast<BYTE*>(&read[0]), &size));
  EXPECT_EQ(binary.size(), size);
  EXPECT_TRUE(read == binary);
  size = 0;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Text", nullptr, &type, nullptr, &size));
  EXPECT_EQ(text.size() + 1, size);
  RegCloseKey(key);

  // Hex data is wrapped into lines the registry editor reads: "\" at the end
  // of a line, two spaces before the next; no line is longer than 80.
  std::istringstream file(ReadBytes(UserFile()));
  std::string line;
  size_t hexLines = 0;
  while (std::getline(file, line)) {
    if (line.compare(0, 7, "\"Text\"=") == 0) continue;  // a string is one line
    EXPECT_LE(line.size(), 81u) << line.substr(0, 40);
    if (line.compare(0, 2, "  ") == 0) ++hexLines;
  }
  EXPECT_GT(hexLines, 40000u);
  EXPECT_NE(std::string::npos, ReadBytes(UserFile()).find("\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"));
}

}  // namespace
