#include "command_line.h"

namespace winport {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The program name ends at its closing quote or the first blank; no escapes.
std::string ProgramAt(const std::string& text, size_t* pos) {
  size_t p = *pos;
  std::string name;
  if (p < text.size() && text[p] == '"') {
    size_t close = text.find('"', p + 1);
    if (close == std::string::npos) {
      name = text.substr(p + 1);
      p = text.size();
    } else {
      name = text.substr(p + 1, close - p - 1);
      p = close + 1;
    }
  } else {
    size_t end = p;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    name = text.substr(p, end - p);
    p = end;
  }
  *pos = p;
  return name;
}

// argv[0] as the runtime reads it: up to the first blank outside quotes,
// with the quotes dropped; backslashes are ordinary characters.
std::string Argv0At(const std::string& text, size_t* pos) {
  size_t p = *pos;
  std::string name;
  bool quoted = false;
  while (p < text.size() && (quoted || !IsBlank(text[p]))) {
    if (text[p] == '"') {
      quoted = !quoted;
    } else {
      name += text[p];
    }
    ++p;
  }
  *pos = p;
  return name;
}

size_t SkipBlanks(const std::string& text, size_t p) {
  while (p < text.size() && IsBlank(text[p])) ++p;
  return p;
}

}  // namespace

std::string ProgramToken(const std::string& commandLine) {
  size_t pos = SkipBlanks(commandLine, 0);
  return ProgramAt(commandLine, &pos);
}

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> args;
  size_t p = SkipBlanks(commandLine, 0);
  args.push_back(Argv0At(commandLine, &p));
  const size_t n = commandLine.size();
  for (;;) {
    p = SkipBlanks(commandLine, p);
    if (p >= n) break;
    std::string arg;
    bool quoted = false;
    for (;;) {
      size_t backslashes = 0;
      while (p < n && commandLine[p] == '\\') {
        ++backslashes;
        ++p;
      }
      bool literal = true;
      if (p < n && commandLine[p] == '"') {
        if (backslashes % 2 == 0) {
          if (quoted && p + 1 < n && commandLine[p + 1] == '"') {
            ++p;  // "" inside quotes: one quote, and quoting goes on
          } else {
            literal = false;
            quoted = !quoted;
          }
        }
        backslashes /= 2;
      }
      arg.append(backslashes, '\\');
      if (p >= n || (!quoted && IsBlank(commandLine[p]))) break;
      if (literal) arg += commandLine[p];
      ++p;
    }
    args.push_back(arg);
  }
  return args;
}

}  // namespace winport
