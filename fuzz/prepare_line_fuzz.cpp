// dovrik's line preparation against a plain reference written from the
// rules of its header: one character at a time, with no shortcuts.
#include <string.h>

#include <string>

#include "fuzz_support.h"
#include "prepare_line.h"

namespace {

bool StartsWith(const std::string& text, size_t at, const char* word) {
  return text.compare(at, strlen(word), word) == 0;
}

// The line as PrepareLine should leave it, and the change of depth.
std::string Reference(const std::string& line, int* depth, bool quoteFlag, bool hashCommentFlag) {
  if (StartsWith(line, 0, "--")) return std::string();
  if (hashCommentFlag && !line.empty() && (line[0] == '#' || line[0] == ';')) return std::string();

  // The braces, from the start, until a settings-block marker ends the search.
  size_t firstOpener = std::string::npos;
  size_t lastCloserEnd = std::string::npos;
  size_t position = 0;
  for (size_t i = 0; i + 1 < line.size();) {
    if (line[i] == '/' && line[i + 1] == '*') {
      if (StartsWith(line, i, "/*VOXTAG")) break;
      ++*depth;
      if (firstOpener == std::string::npos) firstOpener = i;
      position = i + 1;
      i = position;
    } else if (line[i] == '*' && line[i + 1] == '/') {
      if (i - position >= 6 && StartsWith(line, i - 6, "VOXTAG")) break;
      --*depth;
      lastCloserEnd = i + 2;
      position = i + 2;
      i = position;
    } else {
      ++i;
    }
  }

  std::string kept;
  if (firstOpener != std::string::npos && lastCloserEnd != std::string::npos && lastCloserEnd > firstOpener) {
    kept = line.substr(0, firstOpener) + line.substr(lastCloserEnd);
  } else {
    const size_t begin = lastCloserEnd == std::string::npos ? 0 : lastCloserEnd;
    const size_t end = firstOpener == std::string::npos ? line.size() : firstOpener;
    kept = end > begin ? line.substr(begin, end - begin) : std::string();
  }
  const size_t first = kept.find_first_not_of("\t\r\n");
  if (first == std::string::npos) return std::string();
  kept = kept.substr(first, kept.find_last_not_of("\t\r\n") - first + 1);

  std::string out;
  for (char c : kept) {
    if (c == '\t') c = ' ';
    if (c == '"' && quoteFlag) c = '\'';
    if (c == ' ' && !out.empty() && out.back() == ' ') continue;
    out += c;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool quoteFlag = (data[0] & 1) != 0;
  const bool hashCommentFlag = (data[0] & 2) != 0;
  std::string line(reinterpret_cast<const char*>(data) + 1, size - 1);
  line = line.substr(0, line.find('\0'));

  int expectedDepth = 0;
  const std::string expected = Reference(line, &expectedDepth, quoteFlag, hashCommentFlag);
  std::string buffer = line;
  int depth = 0;
  const size_t length = PrepareLine(&buffer[0], depth, quoteFlag, hashCommentFlag);
  const std::string prepared(buffer.c_str());
  FUZZ_CHECK(length == prepared.size() && prepared == expected && depth == expectedDepth,
             fuzz::Escaped(line) + " gave " + fuzz::Escaped(prepared) + " depth " + std::to_string(depth) +
                 ", expected " + fuzz::Escaped(expected) + " depth " + std::to_string(expectedDepth));
  return 0;
}
