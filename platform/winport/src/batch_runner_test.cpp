// Batch files started through CreateProcessA: the lines run in order, the
// exit code is the last program's, output lands in the redirected file, a
// line that cannot run stops the file before anything ran, and file names
// full of metacharacters stay single arguments. Also the standard handles
// of STARTF_USESTDHANDLES, which the batch's programs inherit.
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>

#include "batch_runner.h"
#include "testsupport/files.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::Exists;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class BatchRunnerTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    // Writes its arguments as "[arg]" to standard output, and what it reads
    // from standard input to "stdin.txt".
    WriteBytes(dir.file("ShowArgs"), "#!/bin/sh\nprintf '[%s]' \"$@\"\ncat > stdin.txt\nexit ${EXIT_CODE:-0}\n");
    chmod(dir.file("ShowArgs").c_str(), 0755);
  }
  // Runs the batch file with the given text to its end: its exit code, or
  // 1000 + the error of starting it. Standard input is the null device and
  // standard error goes to "stderr.txt" when `captureErrors` is set.
  DWORD RunBatch(const std::string& text, bool captureErrors = true, DWORD timeout = 20000) {
    WriteBytes(dir.file("job.bat"), text);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    HANDLE errors = INVALID_HANDLE_VALUE;
    if (captureErrors) {
      errors = CreateFileA("stderr.txt", GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
      startup.dwFlags = STARTF_USESTDHANDLES;
      startup.hStdInput = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
      startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
      startup.hStdError = errors;
    }
    char commandLine[] = "job.bat";
    PROCESS_INFORMATION info = {};
    DWORD code = 0;
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
      code = 1000 + GetLastError();
    } else {
      if (WaitForSingleObject(info.hProcess, timeout) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 258);
      GetExitCodeProcess(info.hProcess, &code);
      CloseHandle(info.hThread);
      CloseHandle(info.hProcess);
    }
    if (captureErrors) {
      CloseHandle(startup.hStdInput);
      CloseHandle(errors);
    }
    return code;
  }
};

TEST_F(BatchRunnerTest, LinesRunInOrderWithTheLastProgramsExitCode) {
  WriteBytes(dir.file("out.tmp"), "old output");
  EXPECT_EQ(0u, RunBatch("@echo off\r\nif exist out.tmp del out.tmp\r\nshowargs.exe status \"two words\" > out.tmp\r\n"));
  EXPECT_EQ("[status][two words]", ReadBytes(dir.file("out.tmp")));
  EXPECT_EQ("", ReadBytes(dir.file("stderr.txt")));
  // A program that is not the last line runs in a child of the interpreter,
  // and the lines after it still run; "%%" reaches the program as "%".
  WriteBytes(dir.file("gone.tmp"), "x");
  EXPECT_EQ(0u, RunBatch("showargs 100%% > first.tmp\nif exist first.tmp del gone.tmp\n"));
  EXPECT_EQ("[100%]", ReadBytes(dir.file("first.tmp")));
  EXPECT_FALSE(Exists(dir.file("gone.tmp")));
  // The exit code is the program's; "if exist" on a missing file does nothing.
  EXPECT_EQ(7u, RunBatch("sh -c \"exit 7\"\nif exist missing.tmp del first.tmp\n"));
  EXPECT_TRUE(Exists(dir.file("first.tmp")));
}

TEST_F(BatchRunnerTest, MetacharactersInQuotedNamesStayOneArgument) {
  std::string name = "a & b;c|d%e\"f (1).txt";
  WriteBytes(dir.file(name), "x");
  // Quoted by the Windows rules, with "%" doubled for the batch file.
  EXPECT_EQ(0u, RunBatch("@echo off\nif exist \"a & b;c|d%%e\\\"f (1).txt\" del \"a & b;c|d%%e\\\"f (1).txt\"\n"
                         "showargs \"a & b;c|d%%e\\\"f (1).txt\" > \"out & more.tmp\"\n"));
  EXPECT_FALSE(Exists(dir.file(name)));
  EXPECT_EQ("[" + name + "]", ReadBytes(dir.file("out & more.tmp")));
  EXPECT_FALSE(Exists(dir.file("more.tmp")));
}

TEST_F(BatchRunnerTest, ALineThatCannotRunStopsTheFileBeforeAnythingRuns) {
  WriteBytes(dir.file("keep.tmp"), "x");
  EXPECT_EQ(static_cast<DWORD>(winport::kBatchLineUnsupported),
            RunBatch("@echo off\nif exist keep.tmp del keep.tmp\nshowargs x > out.tmp\nshowargs a & showargs b\n"));
  EXPECT_TRUE(Exists(dir.file("keep.tmp")));
  EXPECT_FALSE(Exists(dir.file("out.tmp")));
  std::string message = ReadBytes(dir.file("stderr.txt"));
  EXPECT_NE(std::string::npos, message.find("job.bat(4)")) << message;
  EXPECT_NE(std::string::npos, message.find("showargs a & showargs b")) << message;
  // Binary text is refused the same way.
  EXPECT_EQ(static_cast<DWORD>(winport::kBatchLineUnsupported), RunBatch(std::string("tool\0x\n", 7)));
}

TEST_F(BatchRunnerTest, AMissingProgramIsReportedAndTheBatchGoesOn) {
  EXPECT_EQ(static_cast<DWORD>(winport::kBatchProgramNotFound % 256),  // seen modulo 256 on POSIX
            RunBatch("no-such-program-of-winport x > out.tmp\n"));
  EXPECT_NE(std::string::npos, ReadBytes(dir.file("stderr.txt")).find("no-such-program-of-winport"));
  EXPECT_EQ(0u, RunBatch("no-such-program-of-winport\nshowargs y > out.tmp\n"));
  EXPECT_EQ("[y]", ReadBytes(dir.file("out.tmp")));
  // An output file that cannot be made: the program does not run.
  EXPECT_EQ(1u, RunBatch("showargs z > no-such-folder\\out.tmp\n"));
  EXPECT_NE(std::string::npos, ReadBytes(dir.file("stderr.txt")).find("no-such-folder"));
}

TEST_F(BatchRunnerTest, StandardInputIsTheNullDeviceAndEndingTheBatchEndsItsProgram) {
  // "cat" in the script would wait for ever on a terminal; the null device
  // gives it an empty input at once.
  EXPECT_EQ(0u, RunBatch("showargs\n"));
  EXPECT_EQ("", ReadBytes(dir.file("stdin.txt")));
  // The last program takes the interpreter's place, so the time-out ends it.
  EXPECT_EQ(258u, RunBatch("sh -c \"sleep 30; echo late > late.txt\"\n", true, 200));
  Sleep(100);
  EXPECT_FALSE(Exists(dir.file("late.txt")));
  // An output file that is a pipe nobody reads: the interpreter waits in
  // opening it, and the caller's time-out ends the wait.
  ASSERT_EQ(0, mkfifo(dir.file("pipe.out").c_str(), 0644));
  EXPECT_EQ(258u, RunBatch("showargs x > pipe.out\n", true, 200));
}

// The signal lines of a process's status: blocked, ignored and caught.
std::string SignalState(const std::string& status) {
  std::string lines;
  for (const char* key : {"SigBlk:", "SigIgn:", "SigCgt:"}) {
    size_t at = status.find(key);
    if (at != std::string::npos) lines += status.substr(at, status.find('\n', at) - at + 1);
  }
  return lines;
}

void CountSignal(int) {}

TEST_F(BatchRunnerTest, TheBatchsProgramsGetNoneOfTheCallersSignalSettingsAndTheCallerKeepsThem) {
  // A caller that blocks, ignores and catches signals; its programs start
  // with none of that, whether the interpreter shares the caller's memory
  // (one program, on the last line) or is a copy of it (a program before).
  sigset_t blocked, saved;
  sigemptyset(&blocked);
  sigaddset(&blocked, SIGUSR2);
  pthread_sigmask(SIG_BLOCK, &blocked, &saved);
  struct sigaction ignore = {}, catcher = {}, savedUsr1, savedTerm;
  ignore.sa_handler = SIG_IGN;
  catcher.sa_handler = CountSignal;
  sigaction(SIGUSR1, &ignore, &savedUsr1);
  sigaction(SIGTERM, &catcher, &savedTerm);
  const std::string clean = "SigBlk:\t0000000000000000\nSigIgn:\t0000000000000000\nSigCgt:\t0000000000000000\n";

  EXPECT_EQ(0u, RunBatch("@echo off\nif exist last.txt del last.txt\ncat /proc/self/status > last.txt\n"));
  EXPECT_EQ(clean, SignalState(ReadBytes(dir.file("last.txt"))));
  EXPECT_EQ(0u, RunBatch("cat /proc/self/status > first.txt\ncat /proc/self/status > last.txt\n"));
  EXPECT_EQ(clean, SignalState(ReadBytes(dir.file("first.txt"))));
  EXPECT_EQ(clean, SignalState(ReadBytes(dir.file("last.txt"))));

  sigset_t now;
  pthread_sigmask(SIG_SETMASK, nullptr, &now);
  EXPECT_TRUE(sigismember(&now, SIGUSR2));
  EXPECT_FALSE(sigismember(&now, SIGUSR1));
  struct sigaction current;
  sigaction(SIGUSR1, nullptr, &current);
  EXPECT_EQ(SIG_IGN, current.sa_handler);
  sigaction(SIGTERM, nullptr, &current);
  EXPECT_EQ(&CountSignal, current.sa_handler);
  sigaction(SIGUSR1, &savedUsr1, nullptr);
  sigaction(SIGTERM, &savedTerm, nullptr);
  pthread_sigmask(SIG_SETMASK, &saved, nullptr);
}

TEST_F(BatchRunnerTest, StandardHandlesThatAreNoFileHandlesAreRefused) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = reinterpret_cast<HANDLE>(0x1234);
  char commandLine[] = "sh -c \"exit 0\"";
  PROCESS_INFORMATION info = {};
  EXPECT_FALSE(CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
}

}  // namespace
