// The INI model: what a load gives is what a save writes, and loading that
// gives it again; a second save writes the same bytes.
#include <tekora/tekora.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fuzz_support.h"

namespace {

// The entries a save writes: "section", "key" and "value" of each, sorted.
std::vector<std::string> SavedEntries(const PAIniFile& ini) {
  std::vector<std::string> entries;
  for (int i = 0; i < ini.GetSectionCount(); ++i) {
    const PAIniSection* section = ini.GetSection(i);
    if (*section->GetName() == '\0') continue;
    for (int j = 0; j < section->GetEntryCount(); ++j) {
      const PAIniEntry* entry = section->GetEntry(j);
      if (*entry->GetKey() == '\0') continue;
      entries.push_back(std::string(section->GetName()) + '\0' + entry->GetKey() + '\0' + entry->GetValue());
    }
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

// Loads the file, saves it again and returns what was loaded.
std::vector<std::string> LoadAndSave(const std::string& path, const std::string& input) {
  PAIniFile ini(path.c_str());
  FUZZ_CHECK(ini.Load() == 1, fuzz::Escaped(input));
  std::vector<std::string> entries = SavedEntries(ini);
  ini.SetModified(1);
  FUZZ_CHECK(ini.Save() == 1, fuzz::Escaped(input));
  return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  static const std::string path = fuzz::PathOf("model.ini");
  fuzz::WriteFile(path, input);
  const std::vector<std::string> first = LoadAndSave(path, input);
  const std::string saved = fuzz::ReadFile(path);
  const std::vector<std::string> second = LoadAndSave(path, input);
  FUZZ_CHECK(first == second, fuzz::Escaped(input) + " saved as " + fuzz::Escaped(saved));
  FUZZ_CHECK(fuzz::ReadFile(path) == saved, fuzz::Escaped(input) + " saved as " + fuzz::Escaped(saved));
  return 0;
}
