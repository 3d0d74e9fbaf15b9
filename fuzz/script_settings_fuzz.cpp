// The settings block: a Write after a Read changes only the lines of the
// block's keys (and adds those missing, or the section); every other line
// of the script stays, in its order, byte for byte.
#include <strings.h>

#include <tekora/tekora.h>

#include <string>
#include <vector>

#include "fuzz_support.h"

namespace {

const char* const kKeys[] = {"Application", "BasedOn", "Default",  "Description", "Display",
                             "Guid",        "IgnoreErrors", "Locale", "NewInst", "Priority",
                             "RunOnlyOnce", "Title",   "Upgrade",  "Version"};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    // Without the line end ("\r\n" or "\n"): a write may give a last line
    // the line end it lacked.
    size_t end = text.find('\n', start);
    const bool ended = end != std::string::npos;
    if (!ended) end = text.size();
    std::string line = text.substr(start, end - start);
    if (ended && !line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::string Trimmed(const std::string& text) {
  const size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return std::string();
  return text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1);
}

// A line the write may change or add: one of the keys, or the section's header.
bool IsBlockLine(const std::string& line) {
  const std::string trimmed = Trimmed(line);
  if (trimmed.empty()) return true;  // the blank line before an added section
  if (strcasecmp(trimmed.c_str(), "[Settings]") == 0) return true;
  const std::string name = Trimmed(trimmed.substr(0, trimmed.find('=')));
  for (const char* key : kKeys)
    if (strcasecmp(name.c_str(), key) == 0) return true;
  return false;
}

// Whether an old line is still there: as it was, or, for a last line that
// ended in a lone CR, with that CR now the start of the line end a write
// added after it.
bool Same(const std::string& before, const std::string& after) {
  return before == after || (!before.empty() && before.back() == '\r' && before.compare(0, before.size() - 1, after) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  static const std::string path = fuzz::PathOf("script.sql");
  fuzz::WriteFile(path, input);
  PAScriptSettings settings;
  settings.Read(path.c_str(), 1);
  FUZZ_CHECK(settings.Write() == 1, fuzz::Escaped(input));
  const std::string written = fuzz::ReadFile(path);

  // Every line that is not a block line is still there, in its order; every
  // line that the write added is a block line.
  const std::vector<std::string> before = Lines(input);
  const std::vector<std::string> after = Lines(written);
  size_t at = 0;
  for (const std::string& line : before) {
    if (IsBlockLine(line) && (at >= after.size() || !Same(line, after[at]))) continue;
    while (at < after.size() && !Same(line, after[at])) {
      FUZZ_CHECK(IsBlockLine(after[at]), fuzz::Escaped(input) + " became " + fuzz::Escaped(written));
      ++at;
    }
    FUZZ_CHECK(at < after.size(), fuzz::Escaped(input) + " became " + fuzz::Escaped(written));
    ++at;
  }
  for (; at < after.size(); ++at)
    FUZZ_CHECK(IsBlockLine(after[at]), fuzz::Escaped(input) + " became " + fuzz::Escaped(written));
  // The folder holds the script alone.
  FUZZ_CHECK(fuzz::FolderEntries() == "script.sql", fuzz::FolderEntries());
  return 0;
}
