#include "batch_runner.h"

#include <ctype.h>
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "batch_script.h"
#include "command_line.h"
#include "path_resolver.h"
#include "program_search.h"

extern char** environ;

namespace winport {
namespace {

// A batch file is a few lines; anything larger is refused unread.
const size_t kMaxBatchFile = 1 << 20;

// One line of the file, prepared in the parent: the child is a copy of a
// process that may run other threads, or shares its memory, so it may only
// call functions that are safe after fork (no allocation, no locks), and
// everything it needs is made here.
struct Step {
  bool run = false;           // a program call; else "if exist A del B"
  std::string testPath;       // POSIX paths; empty when the name cannot be resolved
  std::string deletePath;
  std::string program;        // POSIX path; empty when the program cannot be found
  std::vector<std::string> args;
  std::vector<char*> argv;
  bool redirected = false;
  std::string redirect;       // POSIX path; empty when the name cannot be resolved
  std::string message;        // what the child reports when the step fails
  std::string redirectMessage;
};

struct Plan {
  std::vector<Step> steps;
  std::string refusal;  // set when the file cannot run at all
};

bool IsAbsolute(const std::string& path) {
  return (!path.empty() && (path[0] == '\\' || path[0] == '/')) ||
         (path.size() >= 2 && isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':');
}

// A name of the batch file, relative to the child's working directory.
std::string InDirectory(const std::string& name, const std::string& directory) {
  return directory.empty() || IsAbsolute(name) ? name : directory + "\\" + name;
}

std::string Resolve(const std::string& name, const std::string& directory) {
  ResolvedPath resolved = ResolvePath(InDirectory(name, directory).c_str());
  return resolved.valid ? resolved.posix : std::string();
}

bool ReadBatchFile(const std::string& path, std::string* text) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buffer[65536];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0 && text->size() <= kMaxBatchFile)
    text->append(buffer, static_cast<size_t>(n));
  close(fd);
  return n == 0;
}

Plan MakePlan(const std::string& batchPath, const std::string& directory) {
  Plan plan;
  std::string text;
  if (!ReadBatchFile(batchPath, &text) || text.size() > kMaxBatchFile) {
    plan.refusal = batchPath + ": the batch file cannot be read or is too large\n";
    return plan;
  }
  std::vector<std::string> lines = SplitBatchLines(text);
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string where = batchPath + "(" + std::to_string(n + 1) + "): ";
    BatchLine line = lines[n].find('\0') == std::string::npos ? ParseBatchLine(lines[n]) : BatchLine();
    if (lines[n].find('\0') != std::string::npos) {
      line.kind = BatchLine::kUnsupported;
      line.reason = "a NUL byte in the line";
    }
    std::string refusal;
    Step step;
    if (line.kind == BatchLine::kDeleteIfExists) {
      step.testPath = Resolve(line.testPath, directory);
      step.deletePath = Resolve(line.deletePath, directory);
      step.message = where + "could not delete \"" + line.deletePath + "\"\n";
    } else if (line.kind == BatchLine::kRun) {
      step.run = true;
      std::string name = ProgramToken(line.commandLine);
      bool hasFolder = name.find_first_of("\\/:") != std::string::npos;
      ProgramFile program;
      DWORD error = FindProgram(hasFolder ? InDirectory(name, directory) : name, true, &program);
      if (error == ERROR_SUCCESS && program.isBatch) {
        refusal = "a batch file cannot start another batch file";
      } else if (error == ERROR_SUCCESS) {
        step.program = program.posixPath;
      }
      step.args = SplitCommandLine(line.commandLine);
      step.message = where + "the program \"" + name + "\" cannot be found or started\n";
      step.redirected = !line.redirect.empty();
      if (step.redirected) step.redirect = Resolve(line.redirect, directory);
      step.redirectMessage = where + "cannot create the output file \"" + line.redirect + "\"\n";
    } else if (line.kind == BatchLine::kUnsupported) {
      refusal = line.reason;
    } else {
      continue;
    }
    if (!refusal.empty()) {
      plan.steps.clear();
      plan.refusal = where + "cannot run this line (" + refusal + "): " + lines[n] + "\n";
      return plan;
    }
    plan.steps.push_back(std::move(step));
  }
  // The argument vectors point into the steps, which no longer move.
  for (Step& step : plan.steps) {
    for (std::string& arg : step.args) step.argv.push_back(&arg[0]);
    step.argv.push_back(nullptr);
  }
  return plan;
}

void Say(const std::string& message) {
  ssize_t ignored = write(2, message.data(), message.size());
  (void)ignored;
}

// Runs one program of the batch: in place of the interpreter when it is
// the last step, else in a child of its own that the interpreter waits for.
// Returns the program's exit code.
int RunStep(const Step& step, bool last, char* const* environment) {
  if (step.program.empty()) {
    Say(step.message);
    return kBatchProgramNotFound;
  }
  int out = -1;
  if (step.redirected) {
    out = step.redirect.empty() ? -1 : open(step.redirect.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (out < 0) {
      Say(step.redirectMessage);
      return 1;
    }
  }
  pid_t child = last ? 0 : fork();
  if (child == 0) {
    if (out >= 0 && dup2(out, 1) < 0) _exit(1);
    execve(step.program.c_str(), step.argv.data(), environment);
    Say(step.message);
    _exit(kBatchProgramNotFound);
  }
  if (out >= 0) close(out);
  if (child < 0) {
    Say(step.message);
    return kBatchProgramNotFound;
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return kBatchProgramNotFound;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// The interpreter, in the new process. Only calls that are safe after fork,
// and none that writes memory of the caller's, with which it may share its
// memory until it starts its program (see StartBatchFile).
[[noreturn]] void Interpret(const Plan& plan, const std::string& posixDirectory, char* const* environment,
                            const ChildStreams& streams, int nullDevice) {
  // A new Windows process starts with nothing of its parent's: default
  // handlers, no blocked signals, only the three standard handles. The
  // handlers go first: a signal that came while the caller's handlers were
  // still set would run them here.
  struct sigaction standard = {};
  standard.sa_handler = SIG_DFL;
  for (int signal = 1; signal < NSIG; ++signal) sigaction(signal, &standard, nullptr);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  for (int fd = 0; fd < 3; ++fd) {
    int from = streams.fds[fd] == ChildStreams::kNullStream ? nullDevice : streams.fds[fd];
    if (from >= 0 && from != fd && dup2(from, fd) < 0) _exit(1);
  }
  closefrom(3);
  if (!posixDirectory.empty() && chdir(posixDirectory.c_str()) != 0) _exit(1);

  if (!plan.refusal.empty()) {
    Say(plan.refusal);
    _exit(kBatchLineUnsupported);
  }
  size_t lastStep = plan.steps.size() - 1;
  int exitCode = 0;
  for (size_t i = 0; i < plan.steps.size(); ++i) {
    const Step& step = plan.steps[i];
    if (step.run) {
      exitCode = RunStep(step, i == lastStep, environment);
      continue;
    }
    struct stat st;
    if (step.testPath.empty() || stat(step.testPath.c_str(), &st) != 0) continue;
    if (step.deletePath.empty() || stat(step.deletePath.c_str(), &st) != 0 || S_ISDIR(st.st_mode) ||
        unlink(step.deletePath.c_str()) != 0)
      Say(step.message);
  }
  _exit(exitCode);
}

// True when the interpreter may share the caller's memory: the batch starts
// a program only on its last line (the usual batch: old output deleted, one
// program run), so the interpreter never starts a process of its own, and
// that program's output file, if it exists, is a plain file. Opening
// anything else (a pipe without a reader) may wait, and the caller must not
// be held meanwhile: its time-out could not end the wait.
bool MayShareMemory(const Plan& plan) {
  for (size_t i = 0; i < plan.steps.size(); ++i) {
    const Step& step = plan.steps[i];
    if (step.run && i + 1 < plan.steps.size()) return false;
    struct stat st;
    if (step.run && !step.redirect.empty() && stat(step.redirect.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
      return false;
  }
  return true;
}

// What the interpreter is given.
struct Interpreter {
  const Plan* plan;
  const std::string* posixDirectory;
  char* const* environment;
  const ChildStreams* streams;
  int nullDevice;
};

// Starts the interpreter with vfork: in the caller's memory, with the
// calling thread held until the interpreter has started its program or
// ended. The caller's pages are neither copied nor marked for copying,
// which a fork of a large process spends most of its time on. All signals
// stay blocked until the interpreter has put back the default handlers, so
// that none of the caller's handlers runs in it. The interpreter never
// returns here (it ends in exec or _exit), and it writes nothing of this
// frame. The child's pid, or -1 with errno set.
__attribute__((noinline)) pid_t StartSharingMemory(const Interpreter* interpreter) {
  sigset_t all, saved;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &saved);
  const pid_t child = vfork();
  if (child == 0)
    Interpret(*interpreter->plan, *interpreter->posixDirectory, interpreter->environment, *interpreter->streams,
              interpreter->nullDevice);
  const int error = errno;
  pthread_sigmask(SIG_SETMASK, &saved, nullptr);
  errno = error;
  return child;
}

}  // namespace

DWORD StartBatchFile(const std::string& batchPath, const std::string& directory, const std::string& posixDirectory,
                     char* const* environment, const ChildStreams& streams, pid_t* pid) {
  Plan plan = MakePlan(batchPath, directory);
  int nullDevice = -1;
  for (int fd : streams.fds) {
    if (fd == ChildStreams::kNullStream && nullDevice < 0) nullDevice = open("/dev/null", O_RDWR | O_CLOEXEC);
  }
  char* const* childEnvironment = environment ? environment : environ;
  const Interpreter interpreter = {&plan, &posixDirectory, childEnvironment, &streams, nullDevice};
  pid_t child = MayShareMemory(plan) ? StartSharingMemory(&interpreter) : fork();
  if (child == 0) Interpret(plan, posixDirectory, childEnvironment, streams, nullDevice);
  int error = errno;
  if (nullDevice >= 0) close(nullDevice);
  if (child < 0) return WinportErrorFromErrno(error);
  *pid = child;
  return ERROR_SUCCESS;
}

}  // namespace winport
