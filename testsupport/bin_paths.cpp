#include <stdlib.h>

#include <stdexcept>

#include "testsupport/run_program.h"

namespace testsupport {

std::string BinPath(const std::string& name) {
  const char* dir = getenv("TEKORA_BIN_DIR");
  if (!dir) throw std::runtime_error("TEKORA_BIN_DIR is not set");
  return std::string(dir) + "/" + name;
}

#ifdef _WIN32
std::string ProgramFile(const std::string& name) { return name + ".exe"; }
std::string LibraryFile(const std::string& name) { return name + ".dll"; }
int ReportedExitCode(unsigned int code) { return static_cast<int>(code); }
bool HaveTerminal() { return false; }
#else
std::string ProgramFile(const std::string& name) { return name; }
std::string LibraryFile(const std::string& name) { return "lib" + name + ".so"; }
int ReportedExitCode(unsigned int code) { return static_cast<int>(code & 0xFF); }
bool HaveTerminal() { return true; }
#endif

std::string ProgramPath(const std::string& name) { return BinPath(ProgramFile(name)); }

}  // namespace testsupport
