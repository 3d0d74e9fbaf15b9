// The console device and the message box, on a pseudo-terminal and without
// any terminal. Each case runs in a child process in a session of its own.
#include <conio.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <windows.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace {

struct ChildResult {
  int exitCode = -1;
  std::string terminal;  // what the child wrote to its terminal
  std::string err;       // what it wrote to standard error
};

// Runs `body` in a child in a new session; with a terminal the child gets a
// pseudo-terminal as its controlling terminal, and `answer` is typed once it
// has written something there.
ChildResult RunInChild(const std::function<int()>& body, bool withTerminal, const std::string& answer = "") {
  ChildResult result;
  int errPipe[2];
  if (pipe(errPipe) != 0) return result;
  int master = -1, slave = -1;
  if (withTerminal && openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return result;
  pid_t pid = fork();
  if (pid == 0) {
    setsid();
    if (withTerminal) {
      close(master);
      ioctl(slave, TIOCSCTTY, 0);
      dup2(slave, STDIN_FILENO);  // keeps the terminal open until the child ends
      if (slave != STDIN_FILENO) close(slave);
    }
    dup2(errPipe[1], STDERR_FILENO);
    close(errPipe[0]);
    _exit(body());
  }
  close(errPipe[1]);
  if (withTerminal) close(slave);
  bool answered = answer.empty();
  bool terminalOpen = withTerminal, errOpen = true;
  while (terminalOpen || errOpen) {
    pollfd fds[2] = {{errPipe[0], POLLIN, 0}, {master, POLLIN, 0}};
    if (poll(fds, terminalOpen ? 2 : 1, 10000) <= 0) break;
    char buffer[4096];
    if (fds[0].revents) {
      ssize_t n = read(errPipe[0], buffer, sizeof buffer);
      if (n > 0) result.err.append(buffer, static_cast<size_t>(n));
      else errOpen = false;
    }
    if (terminalOpen && fds[1].revents) {
      ssize_t n = read(master, buffer, sizeof buffer);
      if (n > 0) {
        result.terminal.append(buffer, static_cast<size_t>(n));
        if (!answered && write(master, answer.data(), answer.size()) == static_cast<ssize_t>(answer.size()))
          answered = true;
      } else {
        terminalOpen = false;  // the child closed its side
      }
    }
  }
  close(errPipe[0]);
  if (master >= 0) close(master);
  int status = 0;
  waitpid(pid, &status, 0);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

int WriteConsoleLines() {
  _cputs("line\n");
  _cprintf("%d items\n", 3);
  return 0;
}

TEST(Console, WritesToTheControllingTerminal) {
  ChildResult result = RunInChild(WriteConsoleLines, true);
  EXPECT_NE(std::string::npos, result.terminal.find("line"));
  EXPECT_NE(std::string::npos, result.terminal.find("3 items"));
  EXPECT_EQ("", result.err);
}

TEST(Console, WithoutTerminalWritesToStandardError) {
  ChildResult result = RunInChild(WriteConsoleLines, false);
  EXPECT_EQ("line\n3 items\n", result.err);
}

TEST(Console, TitleUsesTheTerminalTitleSequence) {
  ChildResult result = RunInChild([] { return SetConsoleTitleA("My Title") ? 0 : 1; }, true);
  EXPECT_EQ(0, result.exitCode);
  EXPECT_NE(std::string::npos, result.terminal.find("\033]0;My Title\007"));
  EXPECT_EQ(0, RunInChild([] { return SetConsoleTitleA("x") ? 0 : 1; }, false).exitCode);
}

TEST(MessageBoxTest, ShowsCaptionAndTextAndWaitsForEnter) {
  ChildResult result = RunInChild(
      [] { return MessageBoxA(nullptr, "Error: disk full", "QUILLET", MB_OK | MB_ICONERROR); }, true, "\n");
  EXPECT_EQ(IDOK, result.exitCode);
  EXPECT_NE(std::string::npos, result.terminal.find("QUILLET"));
  EXPECT_NE(std::string::npos, result.terminal.find("Error: disk full"));
  EXPECT_NE(std::string::npos, result.terminal.find("Press Enter"));
}

TEST(MessageBoxTest, WithoutTerminalShowsNothingAndReturnsOk) {
  ChildResult result = RunInChild([] { return MessageBoxA(nullptr, "text", "caption", MB_OK | MB_ICONERROR); }, false);
  EXPECT_EQ(IDOK, result.exitCode);
  EXPECT_EQ("", result.err);
}

TEST(MessageBoxTest, QuestionBoxesTakeTheAnswer) {
  EXPECT_EQ(IDNO, RunInChild([] { return MessageBoxA(nullptr, "Go on?", "Q", MB_YESNO); }, true, "n\n").exitCode);
  EXPECT_EQ(IDYES, RunInChild([] { return MessageBoxA(nullptr, "Go on?", "Q", MB_YESNO); }, true, "\n").exitCode);
  EXPECT_EQ(IDCANCEL,
            RunInChild([] { return MessageBoxA(nullptr, "?", "Q", MB_OKCANCEL | MB_DEFBUTTON2); }, true, "\n").exitCode);
  EXPECT_EQ(IDNO, RunInChild([] { return MessageBoxA(nullptr, "?", "Q", MB_YESNO | MB_DEFBUTTON2); }, false).exitCode);
}

}  // namespace
