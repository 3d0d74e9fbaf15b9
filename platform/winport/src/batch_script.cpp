#include "batch_script.h"

#include <ctype.h>
#include <strings.h>

#include "command_line.h"

namespace winport {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool IsWord(const std::string& text, const char* word) { return strcasecmp(text.c_str(), word) == 0; }

BatchLine Unsupported(const std::string& reason) {
  BatchLine line;
  line.kind = BatchLine::kUnsupported;
  line.reason = reason;
  return line;
}

// cmd.exe's own commands: on Windows they never start a program, so a line
// that names one is refused here rather than run as a program of that name.
bool IsBuiltInCommand(const std::string& name) {
  static const char* const kBuiltIns[] = {
      "assoc", "break",  "call",  "cd",    "chdir", "cls",   "color",  "copy",     "date",  "del",
      "dir",   "echo",   "endlocal", "erase", "exit", "for", "ftype",  "goto",     "if",    "md",
      "mkdir", "mklink", "move",  "path",  "pause", "popd",  "prompt", "pushd",    "rd",    "rem",
      "ren",   "rename", "rmdir", "set",   "setlocal", "shift", "start", "time", "title", "type",
      "ver",   "verify", "vol"};
  for (const char* builtIn : kBuiltIns)
    if (IsWord(name, builtIn)) return true;
  return false;
}

// The line with "%%" turned into "%"; false for any other "%", which would
// name a variable or an argument of the batch file.
bool ExpandPercents(const std::string& text, std::string* out) {
  out->clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      *out += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '%') {
      *out += '%';
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

// Finds the one "> file" redirection outside quotes and refuses every other
// character that cmd.exe treats as syntax there. Quotes are counted by the
// runtime's rules (a quote after an odd run of backslashes is literal), the
// rules by which the arguments are quoted. Sets *redirect to the position of
// ">" (npos when there is none); an empty result means the line may run.
std::string ScanSyntax(const std::string& text, size_t* redirect) {
  *redirect = std::string::npos;
  bool quoted = false;
  size_t backslashes = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    bool escaped = backslashes % 2 == 1;
    backslashes = 0;
    if (c == '"') {
      if (!escaped) quoted = !quoted;
      continue;
    }
    if (quoted) continue;
    if (c == '>') {
      if (*redirect != std::string::npos || (i + 1 < text.size() && text[i + 1] == '>'))
        return "only one \"> file\" redirection is supported";
      if (i >= 1 && isdigit(static_cast<unsigned char>(text[i - 1])) && (i == 1 || IsBlank(text[i - 2])))
        return "redirection of a numbered handle is not supported";
      *redirect = i;
    } else if (c == '<' || c == '|' || c == '&' || c == '^' || c == '(' || c == ')') {
      return std::string("\"") + c + "\" outside quotes is not supported";
    }
  }
  if (quoted) return "a quote is left open";
  return std::string();
}

// The words of a text split by the runtime's rules (every word, the first
// one included, with backslashes handled alike).
std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words = SplitCommandLine("x " + text);
  words.erase(words.begin());
  return words;
}

}  // namespace

BatchLine ParseBatchLine(const std::string& raw) {
  std::string text = raw;
  if (!text.empty() && text.back() == '\r') text.pop_back();
  text = Trim(text);
  if (!text.empty() && text[0] == '@') text = Trim(text.substr(1));
  if (text.empty()) return BatchLine();

  std::string expanded;
  if (!ExpandPercents(text, &expanded)) return Unsupported("variables (\"%\") are not supported; write \"%%\" for \"%\"");
  size_t redirect;
  std::string refusal = ScanSyntax(expanded, &redirect);
  if (!refusal.empty()) return Unsupported(refusal);

  std::string command = Trim(expanded.substr(0, redirect));
  std::vector<std::string> words = Words(command);
  if (words.empty()) return Unsupported("a redirection without a program");
  BatchLine line;
  if (IsWord(words[0], "echo")) {
    if (words.size() != 2 || !IsWord(words[1], "off") || redirect != std::string::npos)
      return Unsupported("echo is supported only as \"echo off\"");
    line.kind = BatchLine::kEchoOff;
    return line;
  }
  if (IsWord(words[0], "if")) {
    if (words.size() != 5 || !IsWord(words[1], "exist") || !IsWord(words[3], "del") ||
        redirect != std::string::npos || words[2].empty() || words[4].empty())
      return Unsupported("\"if\" is supported only as \"if exist A del B\"");
    line.kind = BatchLine::kDeleteIfExists;
    line.testPath = words[2];
    line.deletePath = words[4];
    return line;
  }
  if (IsBuiltInCommand(words[0])) return Unsupported("the command \"" + words[0] + "\" is not supported");
  if (ProgramToken(command).empty()) return Unsupported("an empty program name");
  if (redirect != std::string::npos) {
    std::vector<std::string> target = Words(Trim(expanded.substr(redirect + 1)));
    if (target.size() != 1 || target[0].empty())
      return Unsupported("a redirection names exactly one file, at the end of the line");
    line.redirect = target[0];
  }
  line.kind = BatchLine::kRun;
  line.commandLine = command;
  return line;
}

std::vector<std::string> SplitBatchLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace winport
