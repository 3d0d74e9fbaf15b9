#include "testsupport/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace testsupport {
namespace {

// Drains the given descriptors until all reach end of file. `onTerminal` is
// called after every read from the terminal descriptor (index 2, if present).
template <typename OnTerminal>
void Drain(std::vector<int>& fds, std::vector<std::string*>& sinks, OnTerminal onTerminal) {
  size_t open = fds.size();
  while (open > 0) {
    std::vector<pollfd> polls;
    for (int fd : fds) polls.push_back({fd, POLLIN, 0});
    if (poll(polls.data(), polls.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (size_t i = 0; i < polls.size(); ++i) {
      if (fds[i] < 0 || !(polls[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buffer[65536];
      ssize_t n = read(fds[i], buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<size_t>(n));
        if (i == 2) onTerminal();
      } else if (n == 0 || errno != EINTR) {
        close(fds[i]);
        fds[i] = -1;
        --open;
      }
    }
  }
}

int WaitExit(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

[[noreturn]] void ExecChild(const std::vector<std::string>& argv, const std::string& cwd) {
  if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(126);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execv(args[0], args.data());
  _exit(127);
}

RunResult Run(const std::vector<std::string>& argv, const std::string& cwd, bool withTerminal) {
  int outPipe[2], errPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0)
    throw std::runtime_error("pipe failed");
  int master = -1;
  std::string slaveName;
  if (withTerminal) {
    master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
      throw std::runtime_error("no pseudo-terminal");
    slaveName = ptsname(master);
  }
  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    setsid();  // no controlling terminal unless we open the slave below
    if (withTerminal) {
      int slave = open(slaveName.c_str(), O_RDWR);
      if (slave < 0) _exit(125);
      ioctl(slave, TIOCSCTTY, 0);
      dup2(slave, 0);
      if (slave > 2) close(slave);
    } else {
      int null = open("/dev/null", O_RDONLY);
      dup2(null, 0);
    }
    dup2(outPipe[1], 1);
    dup2(errPipe[1], 2);
    ExecChild(argv, cwd);
  }
  close(outPipe[1]);
  close(errPipe[1]);
  RunResult result;
  std::vector<int> fds = {outPipe[0], errPipe[0]};
  std::vector<std::string*> sinks = {&result.out, &result.err};
  if (withTerminal) {
    fds.push_back(master);
    sinks.push_back(&result.terminal);
  }
  Drain(fds, sinks, [&] {
    if (master >= 0 && write(master, "\n", 1) != 1) {
    }
  });
  result.exitCode = WaitExit(pid);
  return result;
}

}  // namespace

RunResult RunProgram(const std::vector<std::string>& argv, const std::string& cwd) {
  return Run(argv, cwd, false);
}

RunResult RunOnTerminal(const std::vector<std::string>& argv, const std::string& cwd) {
  return Run(argv, cwd, true);
}

}  // namespace testsupport
