// Console output (_cputs, _cprintf) and the console title.
#include <conio.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <unistd.h>
#include <windows.h>

#include <mutex>
#include <string>

#include "terminal.h"

namespace winport {

int OpenTerminal() { return open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC); }

bool WriteFully(int fd, const char* data, size_t length) {
  while (length > 0) {
    ssize_t n = write(fd, data, length);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    length -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace winport

namespace {

// The terminal that console lines go to, opened once: it stays open while
// the process stays in the session it was opened in. A forked child, or a
// process in a new session, opens its own (or finds it has none).
class ConsoleTerminal {
 public:
  // The terminal's descriptor, -1 when the process has none.
  int Get() {
    const pid_t pid = getpid();
    const pid_t session = getsid(0);
    if (pid != m_pid || session != m_session) {
      if (m_fd >= 0) close(m_fd);
      m_fd = winport::OpenTerminal();
      m_pid = pid;
      m_session = session;
    }
    return m_fd;
  }
  // After a failed write the terminal is opened again on next use.
  void Forget() {
    if (m_fd >= 0) close(m_fd);
    m_fd = -1;
    m_pid = -1;
  }

 private:
  int m_fd = -1;
  pid_t m_pid = -1;
  pid_t m_session = -1;
};

std::mutex g_consoleLock;

// Writes console text: straight to the terminal, else to standard error,
// unbuffered so that it keeps its place among the program's other output.
bool WriteConsole(const char* text, size_t length) {
  std::lock_guard<std::mutex> guard(g_consoleLock);
  static ConsoleTerminal* console = new ConsoleTerminal;  // used until the process ends
  int terminal = console->Get();
  if (terminal < 0) return winport::WriteFully(STDERR_FILENO, text, length);
  bool ok = winport::WriteFully(terminal, text, length);
  if (!ok) console->Forget();
  return ok;
}

}  // namespace

extern "C" int _cputs(const char* str) {
  if (!str) {
    errno = EINVAL;
    return -1;
  }
  return WriteConsole(str, strlen(str)) ? 0 : -1;
}

extern "C" int _cprintf(const char* format, ...) {
  if (!format) {
    errno = EINVAL;
    return -1;
  }
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int length = vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
  if (length > 0) vsnprintf(&text[0], text.size() + 1, format, args);
  va_end(args);
  if (length < 0) return -1;
  return WriteConsole(text.data(), text.size()) ? length : -1;
}

namespace {

// The terminal cannot be asked for its title, so the process keeps the
// title it set, as the Windows console does for GetConsoleTitleA.
std::mutex g_titleLock;
std::string& ConsoleTitle() {
  static std::string* title = new std::string;  // outlives every static destructor
  return *title;
}

}  // namespace

extern "C" DWORD WINAPI GetConsoleTitleA(LPSTR lpConsoleTitle, DWORD nSize) {
  std::lock_guard<std::mutex> guard(g_titleLock);
  const std::string& title = ConsoleTitle();
  if (lpConsoleTitle && nSize > 0) {
    const size_t length = title.size() < nSize - 1 ? title.size() : nSize - 1;
    memcpy(lpConsoleTitle, title.data(), length);
    lpConsoleTitle[length] = '\0';
  }
  return static_cast<DWORD>(title.size());
}

extern "C" BOOL WINAPI SetConsoleTitleA(LPCSTR lpConsoleTitle) {
  {
    std::lock_guard<std::mutex> guard(g_titleLock);
    ConsoleTitle() = lpConsoleTitle ? lpConsoleTitle : "";
  }
  int terminal = winport::OpenTerminal();
  if (terminal < 0) return TRUE;  // no console to title
  std::string sequence = "\033]0;";
  for (const char* p = lpConsoleTitle ? lpConsoleTitle : ""; *p; ++p)
    if (static_cast<unsigned char>(*p) >= 0x20 && *p != 0x7F) sequence += *p;  // no control bytes
  sequence += '\007';
  bool ok = winport::WriteFully(terminal, sequence.data(), sequence.size());
  close(terminal);
  if (!ok) SetLastError(WinportErrorFromErrno(errno));
  return ok ? TRUE : FALSE;
}
