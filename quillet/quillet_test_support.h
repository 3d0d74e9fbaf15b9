// Running the built quillet on a source folder made inside a test's folder.
#pragma once

#include <windows.h>

#include <cctype>
#include <string>
#include <vector>

#include <testsupport/files.h>
#include <testsupport/run_program.h>
#include <testsupport/temp_dir.h>

namespace quillet_test {

// quillet's settings key in the user's registry.
inline const char kSettingsKey[] = "Software\\Kestrova\\Utils\\quillet\\Settings";

// What quillet prints first on the console.
inline const char kBanner[] =
    "QUILLET - SQL merger 2.2.194.0 Copyright (c) 1998-2026 the tool suite's authors\n";

class QuilletTest : public testsupport::IsolatedTest {
 protected:
  // Error boxes stay off unless a test turns them on: a box would wait for
  // someone to close it.
  void SetUp() override { SetMessageBoxSetting(0); }
  // The user's registry is the machine's own on Windows: leave nothing there.
  void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey); }

  // Writes a file below the test's folder, making its folders.
  void Write(const std::string& name, const std::string& bytes) { testsupport::WriteBytes(dir.file(name), bytes); }

  // The lower-case Windows form of a path below the test's folder, as the
  // library's path check rewrites it.
  std::string Canonical(const std::string& name) const {
    std::string path = dir.winPath(name);
    for (char& c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return path;
  }

  std::vector<std::string> Command(const std::vector<std::string>& args) const {
    std::vector<std::string> argv = {testsupport::ProgramPath("quillet")};
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
  }

  // Compares what quillet wrote to its console, where the platform lets a
  // test see it: on POSIX a program without a terminal writes its console
  // lines to standard error; on Windows a program without a console loses them.
  void ExpectConsole(const std::string& expected, const testsupport::RunResult& run) {
    if (testsupport::HaveTerminal()) {
      EXPECT_EQ(expected, run.err);
    }
  }

  // Runs quillet in the test's folder; the console goes to standard error.
  testsupport::RunResult Run(const std::vector<std::string>& args) {
    return testsupport::RunProgram(Command(args), dir.path());
  }

  // The same on a pseudo-terminal, which answers every message box.
  testsupport::RunResult RunOnTerminal(const std::vector<std::string>& args) {
    return testsupport::RunOnTerminal(Command(args), dir.path());
  }

  // Sets a value under quillet's settings key in the user's registry.
  void SetSetting(const char* name, DWORD type, const void* data, DWORD size) {
    SetValue(HKEY_CURRENT_USER, kSettingsKey, name, type, data, size);
  }
  void SetMessageBoxSetting(DWORD value) { SetSetting("MessageBox", REG_DWORD, &value, sizeof value); }

  // Sets the computer name the platform layer reports, where Windows keeps it.
  void SetComputerName(const std::string& name) {
    SetValue(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ComputerName\\ComputerName",
             "ComputerName", REG_SZ, name.c_str(), static_cast<DWORD>(name.size() + 1));
  }

 private:
  static void SetValue(HKEY root, const char* keyName, const char* name, DWORD type, const void* data,
                       DWORD size) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, keyName, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
    RegCloseKey(key);
  }
};

}  // namespace quillet_test
