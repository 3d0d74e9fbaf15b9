// PARegKey: values of every type with their last errors, sub-key
// enumeration with long names, reading all values as text, and the two
// recursive operations.
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include <string>

#include <tekora/tekora.h>
#include <testsupport/temp_dir.h>

#include "registry_test_support.h"

namespace {

class RegKeyTest : public OwnRegistryKeyTest {
 protected:
  RegKeyTest() : OwnRegistryKeyTest("RegKey") {}
  // The key below the test key, created with every right.
  void CreateKey(PARegKey& key, const std::string& path = "", const char* className = nullptr) {
    std::string full = path.empty() ? std::string(testKey()) : std::string(testKey()) + "\\" + path;
    ASSERT_EQ(1, key.Create(HKEY_CURRENT_USER, full.c_str(), className, KEY_ALL_ACCESS)) << key.GetLastError();
  }
  bool KeyExists(const std::string& path) {
    PARegKey key;
    return key.Open(HKEY_CURRENT_USER, (std::string(testKey()) + "\\" + path).c_str(), KEY_READ) == 1;
  }
};

TEST_F(RegKeyTest, StringsAndNumbersWithTheirErrors) {
  PARegKey key;
  EXPECT_EQ(1, key.Close());  // nothing open
  EXPECT_EQ(0, key.Open(HKEY_CURRENT_USER, testKey(), KEY_READ));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.GetLastError());
  EXPECT_EQ(nullptr, key.GetKey());
  EXPECT_EQ(0, key.SetString("Name", "x"));  // no key open: no call

  CreateKey(key);
  EXPECT_NE(nullptr, key.GetKey());
  EXPECT_EQ(1, key.SetString("Name", "Kestrova Utils"));
  EXPECT_EQ(0, key.SetString("Name", nullptr));
  EXPECT_EQ(1, key.SetDword("Count", 42));
  EXPECT_EQ(1, key.SetDefaultString("the default"));
  CString text;
  unsigned int number = 0;
  EXPECT_EQ(1, key.QueryString("name", text));
  EXPECT_EQ(CString("Kestrova Utils"), text);
  EXPECT_EQ(1, key.QueryDword("Count", number));
  EXPECT_EQ(42u, number);
  EXPECT_EQ(1, key.QueryDefaultString(text));
  EXPECT_EQ(CString("the default"), text);
  EXPECT_EQ(0, key.QueryDefaultDword(number));
  EXPECT_EQ(ERROR_INVALID_DATATYPE, key.GetLastError());
  EXPECT_EQ(1, key.SetDefaultDword(7));
  EXPECT_EQ(1, key.QueryDefaultDword(number));
  EXPECT_EQ(7u, number);

  text = "unchanged";
  EXPECT_EQ(0, key.QueryString("Count", text));
  EXPECT_EQ(ERROR_INVALID_DATATYPE, key.GetLastError());
  EXPECT_EQ(CString("unchanged"), text);
  EXPECT_EQ(0, key.QueryDword("Name", number));
  EXPECT_EQ(ERROR_INVALID_DATATYPE, key.GetLastError());
  EXPECT_EQ(0, key.QueryString("Missing", text));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.GetLastError());
  EXPECT_EQ(1, key.DeleteValue("Name"));
  EXPECT_EQ(0, key.DeleteValue("Name"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.GetLastError());
  EXPECT_EQ(1, key.Close());
  EXPECT_EQ(0, key.GetLastError());

  // A key opened for reading refuses changes, as Windows does.
  ASSERT_EQ(1, key.Open(HKEY_CURRENT_USER, testKey(), KEY_READ));
  EXPECT_EQ(0, key.SetDword("Count", 1));
  EXPECT_EQ(ERROR_ACCESS_DENIED, key.GetLastError());
}

TEST_F(RegKeyTest, BinaryAndMultiStringReportTheirSize) {
  PARegKey key;
  CreateKey(key);
  std::string big(1 << 20, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i % 251);
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key.GetKey(), "Blob", 0, REG_BINARY,
                                          reinterpret_cast<const BYTE*>(big.data()), static_cast<DWORD>(big.size())));
  const char multi[] = "first\0second\0";
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key.GetKey(), "List", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi),
                                          sizeof multi));

  unsigned int size = 0;
  unsigned char* blob = nullptr;
  ASSERT_EQ(1, key.QueryBinary("Blob", &size, &blob));
  EXPECT_EQ(big.size(), size);
  EXPECT_EQ(0, memcmp(big.data(), blob, big.size()));
  free(blob);
  blob = nullptr;
  EXPECT_EQ(1, key.QueryBinary("Blob", nullptr, &blob));  // the size is optional
  free(blob);

  char* list = nullptr;
  ASSERT_EQ(1, key.QueryMultiString("List", &size, &list));
  EXPECT_EQ(sizeof multi, size);
  EXPECT_STREQ("first", list);
  EXPECT_STREQ("second", list + 6);
  free(list);

  EXPECT_EQ(0, key.QueryBinary("List", &size, &blob));
  EXPECT_EQ(ERROR_INVALID_DATATYPE, key.GetLastError());
  EXPECT_EQ(0, key.QueryMultiString("Blob", &size, &list));
  EXPECT_EQ(ERROR_INVALID_DATATYPE, key.GetLastError());
  EXPECT_EQ(0, key.QueryMultiString("Missing", &size, &list));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.GetLastError());
}

TEST_F(RegKeyTest, EnumSubKeyGivesNamesAndClassesAndMovesOn) {
  PARegKey top, child;
  CreateKey(top);
  CreateKey(child, "Alpha", "AlphaClass");
  CreateKey(child, "Beta");
  CreateKey(child, "Gamma", std::string(2000, 'c').c_str());
  child.Close();

  CString name, className;
  EXPECT_EQ(1, top.EnumSubKey(name, className));
  EXPECT_EQ(CString("Alpha"), name);
  EXPECT_EQ(CString("AlphaClass"), className);
  EXPECT_EQ(1, top.EnumSubKey(name, className));
  EXPECT_EQ(CString("Beta"), name);
  EXPECT_TRUE(className.IsEmpty());
  EXPECT_EQ(1, top.EnumSubKey(name, className));
  EXPECT_EQ(CString("Gamma"), name);
  EXPECT_EQ(2000, className.GetLength());  // longer than the first buffer
  EXPECT_EQ(3, top.GetEnumIndex());
  EXPECT_EQ(0, top.EnumSubKey(name, className));
  EXPECT_EQ(ERROR_NO_MORE_ITEMS, top.GetLastError());
  EXPECT_EQ(4, top.GetEnumIndex());  // moves on after a failure too
  top.SetEnumIndex(1);
  EXPECT_EQ(1, top.EnumSubKey(name, className));
  EXPECT_EQ(CString("Beta"), name);

  // Walking down: the sub-key is opened below the key the object holds.
  EXPECT_EQ(1, top.Open(top.GetKey(), "alpha", KEY_READ));
  EXPECT_EQ(0, top.GetEnumIndex());
  EXPECT_EQ(0, top.EnumSubKey(name, className));
  EXPECT_EQ(ERROR_NO_MORE_ITEMS, top.GetLastError());
}

TEST_F(RegKeyTest, EnumSubKeyReturnsNamesLongerThan255Whole) {
  PARegKey top, child;
  CreateKey(top);
  const std::string longName = "B" + std::string(299, 'n');
  const std::string longerName = "C" + std::string(4999, 'n');
  if (!child.Create(top.GetKey(), longName.c_str(), nullptr, KEY_ALL_ACCESS))
    GTEST_SKIP() << "this registry keeps key names to 255 characters (error " << child.GetLastError() << ")";
  ASSERT_EQ(1, child.Create(top.GetKey(), longerName.c_str(), nullptr, KEY_ALL_ACCESS));
  child.Close();
  CString name, className;
  EXPECT_EQ(1, top.EnumSubKey(name, className));
  EXPECT_EQ(longName, std::string(name));
  EXPECT_EQ(1, top.EnumSubKey(name, className));
  EXPECT_EQ(longerName, std::string(name));
  EXPECT_EQ(0, top.EnumSubKey(name, className));
}

TEST_F(RegKeyTest, ReadAllValuesGivesTheTextValuesAsLines) {
  SetEnvironmentVariableA("TEKORA_TEST_HOME", "C:\\Projects");
  PARegKey key;
  CreateKey(key);
  const char multi[] = "a\0b\0";
  const char expand[] = "%TEKORA_TEST_HOME%\\x";
  const std::string tooLong = "%TEKORA_TEST_HOME%" + std::string(4090, 'y');
  key.SetString("Plain", "text");
  key.SetDword("Number", 5);
  RegSetValueExA(key.GetKey(), "Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof multi);
  RegSetValueExA(key.GetKey(), "Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand), sizeof expand);
  RegSetValueExA(key.GetKey(), "TooLong", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(tooLong.c_str()),
                 static_cast<DWORD>(tooLong.size() + 1));
  key.SetString("Percent", "100%s");
  CString text = "old text";
  EXPECT_EQ(1, key.ReadAllValues(text));
  // One line per text value, in the order the registry enumerates them.
  const std::string all(text);
  for (const char* line : {"Plain=text\n", "Multi=a\rb\n", "Expand=C:\\Projects\\x\n", "Percent=100%s\n"})
    EXPECT_NE(std::string::npos, all.find(line)) << line;
  EXPECT_EQ(strlen("Plain=text\nMulti=a\rb\nExpand=C:\\Projects\\x\nPercent=100%s\n"), all.size());
  SetEnvironmentVariableA("TEKORA_TEST_HOME", nullptr);

  PARegKey closed;
  EXPECT_EQ(0, closed.ReadAllValues(text));
  EXPECT_EQ(ERROR_INVALID_HANDLE, closed.GetLastError());
}

TEST_F(RegKeyTest, DeleteKeyTreeRemovesEveryLevel) {
  PARegKey key;
  CreateKey(key, "Tree\\L1\\L2\\L3\\L4\\L5");
  key.SetString("Deep", "value");
  CreateKey(key, "Tree\\L1\\Side");
  key.SetDword("N", 1);
  CreateKey(key, "Tree\\Other");
  CreateKey(key, "Sibling");
  key.Close();

  PARegKey deleter;
  EXPECT_EQ(1, deleter.DeleteKeyTree(HKEY_CURRENT_USER, (std::string(testKey()) + "\\tree").c_str()));
  EXPECT_EQ(0, deleter.GetLastError());
  EXPECT_FALSE(KeyExists("Tree"));
  EXPECT_TRUE(KeyExists("Sibling"));
  EXPECT_EQ(0, deleter.DeleteKeyTree(HKEY_CURRENT_USER, (std::string(testKey()) + "\\Tree").c_str()));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, deleter.GetLastError());
  EXPECT_EQ(0, deleter.DeleteKeyTree(HKEY_CURRENT_USER, ""));  // never the whole root
  EXPECT_EQ(ERROR_INVALID_PARAMETER, deleter.GetLastError());
  EXPECT_TRUE(KeyExists("Sibling"));

  // DeleteKey alone refuses a key with sub-keys.
  CreateKey(key, "Parent\\Child");
  key.Close();
  EXPECT_EQ(0, deleter.DeleteKey(HKEY_CURRENT_USER, (std::string(testKey()) + "\\Parent").c_str()));
  EXPECT_NE(0, deleter.GetLastError());
  EXPECT_EQ(1, deleter.DeleteKey(HKEY_CURRENT_USER, (std::string(testKey()) + "\\Parent\\Child").c_str()));
}

TEST_F(RegKeyTest, FindStringValueSearchesDepthFirst) {
  PARegKey key;
  CreateKey(key, "A\\A1");
  key.SetDword("Target", 1);  // a number of that name is no hit
  CreateKey(key, "A\\A2\\A21\\A211");
  key.SetString("Target", "deep in A");
  CreateKey(key, "B");
  key.SetString("Target", "in B");
  key.Close();

  CString text;
  EXPECT_EQ(1, PARegKey::FindStringValue(HKEY_CURRENT_USER, testKey(), "target", text));
  EXPECT_EQ(CString("deep in A"), text);
  EXPECT_EQ(1, PARegKey::FindStringValue(HKEY_CURRENT_USER, (std::string(testKey()) + "\\B").c_str(), "Target", text));
  EXPECT_EQ(CString("in B"), text);
  text = "kept";
  EXPECT_EQ(0, PARegKey::FindStringValue(HKEY_CURRENT_USER, testKey(), "Nowhere", text));
  EXPECT_EQ(0, PARegKey::FindStringValue(HKEY_CURRENT_USER, "Software\\TekoraTests\\Missing", "Target", text));
  EXPECT_EQ(CString("kept"), text);
}

}  // namespace
