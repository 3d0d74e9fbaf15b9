// The command-line splitter: arguments quoted by the runtime's rules and
// joined into a command line split back into the same arguments; and any
// command line splits without harm into arguments that, quoted again, split
// the same way.
#include <string>
#include <vector>

#include "../platform/winport/src/command_line.h"
#include "fuzz_support.h"

namespace {

// The argument as a command line writes it: in quotes, with the backslashes
// before a quote (and before the closing quote) doubled and the quote escaped.
std::string Quoted(const std::string& argument) {
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      out.append(2 * backslashes + 1, '\\');
    } else {
      out.append(backslashes, '\\');
    }
    backslashes = 0;
    out += c;
  }
  out.append(2 * backslashes, '\\');
  return out + "\"";
}

std::string Joined(const std::vector<std::string>& arguments) {
  std::string line = "program";
  for (const std::string& argument : arguments) line += " " + Quoted(argument);
  return line;
}

std::string Shown(const std::vector<std::string>& arguments) {
  std::string shown;
  for (const std::string& argument : arguments) shown += fuzz::Escaped(argument) + " ";
  return shown;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  if (input.find('\0') != std::string::npos) return 0;  // a command line is a C string

  // Arguments that a command line carries: the input's lines.
  std::vector<std::string> arguments;
  size_t start = 0;
  for (size_t end; (end = input.find('\n', start)) != std::string::npos; start = end + 1)
    arguments.push_back(input.substr(start, end - start));
  arguments.push_back(input.substr(start));
  std::vector<std::string> split = winport::SplitCommandLine(Joined(arguments));
  FUZZ_CHECK(!split.empty() && split[0] == "program", Shown(split));
  split.erase(split.begin());
  FUZZ_CHECK(split == arguments, Shown(arguments) + "came back as " + Shown(split));

  // The input as a command line of its own.
  std::vector<std::string> parsed = winport::SplitCommandLine(input);
  if (parsed.empty()) return 0;
  parsed.erase(parsed.begin());
  std::vector<std::string> again = winport::SplitCommandLine(Joined(parsed));
  again.erase(again.begin());
  FUZZ_CHECK(again == parsed, fuzz::Escaped(input) + ": " + Shown(parsed) + "came back as " + Shown(again));
  winport::ProgramToken(input);
  return 0;
}
