// PARegString and PARegDword: reading with a default, writing on request and
// on destruction, deleting; and many processes writing one key at once.
#include <windows.h>

#include <string>
#include <vector>

#include <tekora/tekora.h>
#include <testsupport/run_program.h>
#include <testsupport/temp_dir.h>

#include "registry_test_support.h"

namespace {

class RegValuesTest : public OwnRegistryKeyTest {
 protected:
  RegValuesTest() : OwnRegistryKeyTest("RegValues") {}
  // The stored text of a value, or "<missing>".
  std::string Stored(const char* name) {
    PARegKey key;
    CString text;
    if (!key.Open(HKEY_CURRENT_USER, testKey(), KEY_READ) || !key.QueryString(name, text)) return "<missing>";
    return std::string(text);
  }
};

TEST_F(RegValuesTest, ReadOfAMissingValueKeepsTheDefault) {
  PARegString text(HKEY_CURRENT_USER, testKey(), "Editor", "notepad", 1, 0);
  EXPECT_EQ(CString("notepad"), text.Get());
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, text.GetLastError());
  EXPECT_EQ(0, text.Read("vi"));
  EXPECT_EQ(CString("vi"), text.Get());
  EXPECT_EQ(0, text.IsModified());

  PARegDword number(HKEY_CURRENT_USER, testKey(), "Width", 80, 1, 0);
  EXPECT_EQ(80, number.Get());
  EXPECT_EQ(0, number.Read(-1));
  EXPECT_EQ(-1, number.Get());

  PARegString unplaced;
  EXPECT_EQ(0, unplaced.Read("x"));
  EXPECT_EQ(CString("x"), unplaced.Get());
}

TEST_F(RegValuesTest, WriteReadAndDelete) {
  PARegString text(HKEY_CURRENT_USER, testKey(), "Editor", "notepad", 0, 0);
  EXPECT_EQ(1, text.Set("emacs").IsModified());
  EXPECT_EQ(1, text.Write());
  EXPECT_EQ(0, text.IsModified());
  EXPECT_EQ("emacs", Stored("Editor"));
  EXPECT_EQ(1, text.Set("ed").Write());  // the key stays open for later writes
  EXPECT_EQ("ed", Stored("Editor"));

  PARegString reader(HKEY_CURRENT_USER, testKey(), "editor", "none", 1, 0);
  EXPECT_EQ(CString("ed"), reader.Get());
  EXPECT_EQ(0, reader.GetLastError());

  EXPECT_EQ(1, text.Set("dropped").Delete());
  EXPECT_EQ(0, text.IsModified());
  EXPECT_EQ("<missing>", Stored("Editor"));
  EXPECT_EQ(0, text.Delete());
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, text.GetLastError());

  PARegDword number(HKEY_CURRENT_USER, testKey(), "Width", 80, 0, 0);
  EXPECT_EQ(1, number.Set(-132).Write());
  PARegDword numberReader(HKEY_CURRENT_USER, testKey(), "Width", 0, 1, 0);
  EXPECT_EQ(-132, numberReader.Get());
  // A string where a number is expected keeps the default.
  text.Set("a text").Write();
  PARegDword wrongType(HKEY_CURRENT_USER, testKey(), "Editor", 5, 1, 0);
  EXPECT_EQ(5, wrongType.Get());
  EXPECT_EQ(ERROR_INVALID_DATATYPE, wrongType.GetLastError());
}

TEST_F(RegValuesTest, ChangedValuesAreWrittenOnDestructionOnlyWhenAsked) {
  {
    PARegString changed(HKEY_CURRENT_USER, testKey(), "Changed", "", 0, 1);
    changed.Set("saved at the end");
    PARegString unchanged(HKEY_CURRENT_USER, testKey(), "Unchanged", "default", 1, 1);
    PARegString notAsked(HKEY_CURRENT_USER, testKey(), "NotAsked", "", 0, 0);
    notAsked.Set("forgotten");
    PARegDword number(HKEY_CURRENT_USER, testKey(), "Number", 0, 0, 1);
    number.Set(17);
  }
  EXPECT_EQ("saved at the end", Stored("Changed"));
  EXPECT_EQ("<missing>", Stored("Unchanged"));
  EXPECT_EQ("<missing>", Stored("NotAsked"));
  PARegDword number(HKEY_CURRENT_USER, testKey(), "Number", 0, 1, 0);
  EXPECT_EQ(17, number.Get());
}

TEST_F(RegValuesTest, EightProcessesWritingOneKeyLoseNothing) {
  const int kProcesses = 8, kValues = 200;
  std::vector<PROCESS_INFORMATION> children;
  for (int p = 0; p < kProcesses; ++p) {
    std::string commandLine = "\"" + testsupport::ProgramPath("testchild") + "\" regwrite " + testKey() + " P" +
                              std::to_string(p) + "_ " + std::to_string(kValues);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &info))
        << GetLastError();
    children.push_back(info);
  }
  for (PROCESS_INFORMATION& info : children) {
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(info.hProcess, 300000));
    DWORD code = 1;
    EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));
    EXPECT_EQ(0u, code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  PARegKey key;
  ASSERT_EQ(1, key.Open(HKEY_CURRENT_USER, testKey(), KEY_READ));
  DWORD count = 0;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryInfoKeyA(key.GetKey(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                                            nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(static_cast<DWORD>(kProcesses * kValues), count);
  for (int p = 0; p < kProcesses; ++p) {
    for (int i = 0; i < kValues; i += 37) {
      unsigned int value = 0;
      std::string name = "P" + std::to_string(p) + "_" + std::to_string(i);
      EXPECT_EQ(1, key.QueryDword(name.c_str(), value)) << name;
      EXPECT_EQ(static_cast<unsigned int>(i), value);
    }
  }
}

}  // namespace
