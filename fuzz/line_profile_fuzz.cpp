// The line profile: a save writes back the headers and lines a load read,
// so that loading the saved file gives the same stored lines.
#include <tekora/tekora.h>

#include <string>
#include <vector>

#include "fuzz_support.h"

namespace {

std::vector<std::string> StoredLines(const PALineProfile& profile) {
  std::vector<std::string> lines;
  const CStringArray& stored = profile.GetLines();
  for (INT_PTR i = 0; i < stored.GetSize(); ++i)
    lines.emplace_back(stored[i], static_cast<size_t>(stored[i].GetLength()));
  return lines;
}

// A stored line is its header, a TAB and the line; where a header itself
// holds "]" and a TAB, the stored form cannot tell where the header ends.
bool HeaderEndIsAmbiguous(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    const size_t close = line.find("]\t");
    if (close != std::string::npos && close + 1 < line.size() && line.find("]\t", close + 1) != std::string::npos)
      return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  static const std::string path = fuzz::PathOf("lines.ini");
  static const std::string copy = fuzz::PathOf("copy.ini");
  fuzz::WriteFile(path, input);
  PALineProfile profile;
  FUZZ_CHECK(profile.LoadLines(path.c_str()) == 1, fuzz::Escaped(input));
  const std::vector<std::string> loaded = StoredLines(profile);
  profile.SaveLines(copy.c_str());
  const std::string saved = fuzz::ReadFile(copy);
  if (HeaderEndIsAmbiguous(loaded)) return 0;
  PALineProfile again;
  FUZZ_CHECK(again.LoadLines(copy.c_str()) == 1, fuzz::Escaped(input));
  FUZZ_CHECK(StoredLines(again) == loaded, fuzz::Escaped(input) + " saved as " + fuzz::Escaped(saved));
  // The canonical form is written back byte for byte.
  again.SaveLines(path.c_str());
  FUZZ_CHECK(fuzz::ReadFile(path) == saved, fuzz::Escaped(input) + " saved as " + fuzz::Escaped(saved));
  return 0;
}
