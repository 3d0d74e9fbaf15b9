// Module loading against the platform library itself, which sits in the
// test program's folder as libtekora-platform.so.
#include <windows.h>

#include <string>

#include "ordinal_table.h"
#include "testsupport/run_program.h"
#include "testsupport/temp_dir.h"

namespace {

const char kModule[] = "TEKORA-PLATFORM.DLL";

std::string WindowsForm(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

TEST(LibraryLoader, WindowsModuleNameLoadsTheSharedLibraryBesideTheProgram) {
  HMODULE module = LoadLibraryA(kModule);
  ASSERT_NE(nullptr, module);
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(module, path, sizeof path);
  ASSERT_GT(length, 0u);
  std::string expected = WindowsForm(testsupport::BinPath("libtekora-platform.so"));
  EXPECT_EQ(expected, std::string(path, length));
  EXPECT_TRUE(FreeLibrary(module));
}

TEST(LibraryLoader, NamesWithoutExtensionAndPathsWork) {
  HMODULE byStem = LoadLibraryA("tekora-platform");
  ASSERT_NE(nullptr, byStem);
  std::string windowsPath = WindowsForm(testsupport::BinPath("TEKORA-PLATFORM.DLL"));
  HMODULE byPath = LoadLibraryA(windowsPath.c_str());
  EXPECT_EQ(byStem, byPath);
  FreeLibrary(byPath);
  FreeLibrary(byStem);
}

TEST(LibraryLoader, MissingModuleIsModNotFound) {
  EXPECT_EQ(nullptr, LoadLibraryA("NOSUCHMODULE.DLL"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());
  EXPECT_EQ(nullptr, LoadLibraryA("\\no\\such\\folder\\x.dll"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());
}

TEST(LibraryLoader, GetProcAddressFindsTheModulesOwnExportsOnly) {
  HMODULE module = LoadLibraryA(kModule);
  ASSERT_NE(nullptr, module);
  EXPECT_EQ(reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&GetLastError)), GetProcAddress(module, "GetLastError"));
  // printf is visible through the module's dependencies, but not its export.
  EXPECT_EQ(nullptr, GetProcAddress(module, "printf"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PROC_NOT_FOUND), GetLastError());
  EXPECT_EQ(nullptr, GetProcAddress(module, "NoSuchExport"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PROC_NOT_FOUND), GetLastError());
  // The platform library keeps no ordinal table.
  EXPECT_EQ(nullptr, GetProcAddress(module, MAKEINTRESOURCEA(1)));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PROC_NOT_FOUND), GetLastError());
  FreeLibrary(module);
}

TEST(LibraryLoader, ModuleHandlesAndFileNames) {
  HMODULE module = LoadLibraryA(kModule);
  ASSERT_NE(nullptr, module);
  EXPECT_EQ(module, GetModuleHandleA("tekora-platform.dll"));
  EXPECT_EQ(nullptr, GetModuleHandleA("notloaded.dll"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  EXPECT_EQ(WindowsForm(testsupport::BinPath("platform_tests")), std::string(path, length));
  char small[8];
  EXPECT_EQ(8u, GetModuleFileNameA(nullptr, small, sizeof small));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
  EXPECT_EQ(std::string(path, 7), small);
  FreeLibrary(module);
}

TEST(LibraryLoader, OrdinalTableLookup) {
  static const WinportOrdinal table[] = {{480, "DllGetVersion"}, {2336, "PACheckPath"}, {0, nullptr}};
  EXPECT_STREQ("PACheckPath", winport::FindOrdinalName(table, 2336));
  EXPECT_STREQ("DllGetVersion", winport::FindOrdinalName(table, 480));
  EXPECT_EQ(nullptr, winport::FindOrdinalName(table, 481));
  EXPECT_EQ(nullptr, winport::FindOrdinalName(table, 0));
  EXPECT_EQ(nullptr, winport::FindOrdinalName(nullptr, 480));
}

}  // namespace
