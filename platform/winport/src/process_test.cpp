// CreateProcessA, WaitForSingleObject, TerminateProcess, GetExitCodeProcess
// and CloseHandle on process handles. The children are the system's own
// shell and tools and small scripts, so these tests are POSIX-only, as the
// layer itself is.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "testsupport/files.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

class ProcessTest : public testsupport::IsolatedTest {
 protected:
  // Starts the command line; the error code when that fails, else 0.
  DWORD Start(const std::string& commandLine, PROCESS_INFORMATION* info, LPCSTR directory = nullptr,
              LPVOID environment = nullptr) {
    std::string writable = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    *info = PROCESS_INFORMATION{};
    if (CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, 0, environment, directory, &startup, info))
      return 0;
    EXPECT_EQ(nullptr, info->hProcess);
    return GetLastError();
  }
  // Runs the command line to its end: its exit code, or 1000 + the error.
  DWORD Run(const std::string& commandLine, LPCSTR directory = nullptr, LPVOID environment = nullptr) {
    PROCESS_INFORMATION info;
    DWORD error = Start(commandLine, &info, directory, environment);
    if (error) return 1000 + error;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(info.hProcess, INFINITE));
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));
    EXPECT_TRUE(CloseHandle(info.hThread));
    EXPECT_TRUE(CloseHandle(info.hProcess));
    return code;
  }
  void Script(const std::string& name, const std::string& text, mode_t mode = 0755) {
    WriteBytes(dir.file(name), text);
    chmod(dir.file(name).c_str(), mode);
  }
};

TEST_F(ProcessTest, ExitCodesArriveAndHandlesClose) {
  PROCESS_INFORMATION info;
  ASSERT_EQ(0u, Start("sh -c \"exit 3\"", &info));
  EXPECT_NE(0u, info.dwProcessId);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(info.hThread, 10000));  // the main thread ends with it
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));
  EXPECT_EQ(3u, code);
  EXPECT_FALSE(GetExitCodeProcess(info.hThread, &code));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
  EXPECT_FALSE(TerminateProcess(info.hProcess, 1));  // it has ended already
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
  EXPECT_TRUE(CloseHandle(info.hThread));
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_FALSE(CloseHandle(info.hProcess));
  EXPECT_EQ(WAIT_FAILED, WaitForSingleObject(info.hProcess, 0));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
  // 256 and more arrive modulo 256, as POSIX reports them.
  EXPECT_EQ(0u, Run("sh -c \"exit 256\""));
  EXPECT_EQ(0xC0000005u, Run("sh -c \"kill -SEGV $$\""));
}

TEST_F(ProcessTest, TimeOutThenTerminate) {
  PROCESS_INFORMATION info;
  ASSERT_EQ(0u, Start("sleep 30", &info));
  EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(info.hProcess, 50));
  EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(info.hProcess, 0));
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));
  EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), code);
  EXPECT_TRUE(TerminateProcess(info.hProcess, 258));
  EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));  // no wait needed after TerminateProcess
  EXPECT_EQ(258u, code);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(info.hProcess, 0));
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
}

TEST_F(ProcessTest, ClosingHandlesOfARunningChildLeavesItRunning) {
  Script("marker.sh", "#!/bin/sh\nsleep 0.2\necho done > marker.txt\n");
  PROCESS_INFORMATION info;
  ASSERT_EQ(0u, Start("marker.sh", &info));
  EXPECT_TRUE(CloseHandle(info.hThread));
  EXPECT_TRUE(CloseHandle(info.hProcess));
  ASSERT_EQ(0u, Run("sleep 0.5"));  // also reaps the orphan once it has ended
  EXPECT_EQ("done\n", ReadBytes(dir.file("marker.txt")));
}

TEST_F(ProcessTest, ProgramIsFoundWithoutRegardToCaseAndExeOptional) {
  Script("ShowArgs", "#!/bin/sh\nprintf '[%s]' \"$@\" > args.txt\n");
  // Found in the current directory, as "showargs.exe" and as "SHOWARGS".
  EXPECT_EQ(0u, Run("showargs.exe \"two words\" a\\\\b \"q\\\"x\" \"\""));
  EXPECT_EQ("[two words][a\\\\b][q\"x][]", ReadBytes(dir.file("args.txt")));
  EXPECT_EQ(0u, Run("SHOWARGS x"));
  EXPECT_EQ("[x]", ReadBytes(dir.file("args.txt")));
  // Found along PATH, and by a Windows path with another case.
  EXPECT_EQ(7u, Run("SH.exe -c \"exit 7\""));
  EXPECT_EQ(0u, Run(dir.winPath("SHOWARGS.EXE") + " y"));
  EXPECT_EQ("[y]", ReadBytes(dir.file("args.txt")));
  // A quoted path with a space.
  testsupport::MakeDirs(dir.file("with space"));
  Script("with space/Tool", "#!/bin/sh\nexit 9\n");
  EXPECT_EQ(9u, Run("\"" + dir.winPath("with space\\tool.exe") + "\" arg"));
}

TEST_F(ProcessTest, ProgramsThatCannotStart) {
  EXPECT_EQ(1000u + ERROR_FILE_NOT_FOUND, Run("no-such-program-of-winport -x"));
  EXPECT_EQ(1000u + ERROR_PATH_NOT_FOUND, Run("\\no-such-folder-of-winport\\x.exe"));
  EXPECT_EQ(1000u + ERROR_FILE_NOT_FOUND, Run("\"unclosed quote -x"));
  Script("plain.txt", "data\n", 0644);
  EXPECT_EQ(1000u + ERROR_ACCESS_DENIED, Run("plain.txt"));
  Script("noshebang", "exit 3\n");
  EXPECT_EQ(1000u + ERROR_BAD_EXE_FORMAT, Run("noshebang"));
  testsupport::MakeDirs(dir.file("adir"));
  EXPECT_EQ(1000u + ERROR_FILE_NOT_FOUND, Run(".\\adir"));
  EXPECT_EQ(1000u + ERROR_INVALID_PARAMETER, Run("   "));
  EXPECT_EQ(1000u + ERROR_FILENAME_EXCED_RANGE, Run("sh -c \"exit 0\" " + std::string(40000, 'x')));
  EXPECT_EQ(0u, Run("sh -c \"exit 0\" " + std::string(30000, 'x')));
  EXPECT_EQ(5u, Run("sh -c \"exit 5"));  // the open quote runs to the end
}

TEST_F(ProcessTest, DirectoryEnvironmentAndNoInheritedHandles) {
  testsupport::MakeDirs(dir.file("Sub"));
  EXPECT_EQ(0u, Run("sh -c \"pwd > where.txt\"", "sub"));
  EXPECT_EQ(dir.file("Sub") + "\n", ReadBytes(dir.file("Sub/where.txt")));
  EXPECT_EQ(1000u + ERROR_DIRECTORY, Run("sh -c \"exit 0\"", "missing-folder"));

  const char block[] = "WINPORT_CHILD=one two\0OTHER=x\0";
  EXPECT_EQ(0u, Run("sh -c \"echo $WINPORT_CHILD-$OTHER > env.txt\"", nullptr, const_cast<char*>(block)));
  EXPECT_EQ("one two-x\n", ReadBytes(dir.file("env.txt")));

  int leaked = open(dir.file("env.txt").c_str(), O_RDONLY);  // deliberately without close-on-exec
  ASSERT_GE(leaked, 3);
  std::string probe = "sh -c \"[ -e /dev/fd/" + std::to_string(leaked) + " ] && exit 1; exit 0\"";
  EXPECT_EQ(0u, Run(probe));
  close(leaked);
}

}  // namespace
