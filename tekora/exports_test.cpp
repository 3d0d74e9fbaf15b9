// tekora exports exactly its definition file's list, and every ordinal of the
// list resolves.
#include <windows.h>

#include <tekora/tekora.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <string>

namespace {

struct Export {
  std::string name;
  std::string internal;
};

std::map<int, Export> ReadDefinitionFile() {
  std::ifstream def(TEKORA_DEF_PATH);
  EXPECT_TRUE(def.good()) << TEKORA_DEF_PATH;
  const std::regex entry(R"(^\s*(\w+)(=(\w+))?\s+@(\d+)(\s+NONAME)?\s*$)");
  std::map<int, Export> exports;
  std::string line;
  bool inExports = false;
  while (std::getline(def, line)) {
    line = line.substr(0, line.find(';'));
    if (line.find("EXPORTS") != std::string::npos) {
      inExports = true;
      continue;
    }
    std::smatch m;
    if (!inExports || !std::regex_match(line, m, entry)) continue;
    const int ordinal = std::stoi(m[4]);
    EXPECT_EQ(0u, exports.count(ordinal)) << "ordinal " << ordinal << " given twice";
    exports[ordinal] = {m[1], m[3].matched ? std::string(m[3]) : std::string(m[1])};
  }
  return exports;
}

TEST(ExportsTest, EveryOrdinalResolvesToItsFunction) {
  const auto exports = ReadDefinitionFile();
  ASSERT_FALSE(exports.empty());
  HMODULE tekora = LoadLibraryA("TEKORA.DLL");
  ASSERT_NE(nullptr, tekora);
  for (const auto& [ordinal, entry] : exports) {
    FARPROC byOrdinal = GetProcAddress(tekora, MAKEINTRESOURCEA(ordinal));
    EXPECT_NE(nullptr, byOrdinal) << entry.name << " @" << ordinal;
  }
  EXPECT_EQ(GetProcAddress(tekora, MAKEINTRESOURCEA(480)), GetProcAddress(tekora, MAKEINTRESOURCEA(481)));
  EXPECT_EQ(GetProcAddress(tekora, "DllGetVersion"), GetProcAddress(tekora, MAKEINTRESOURCEA(480)));
  FreeLibrary(tekora);
}

TEST(ExportsTest, UnlistedOrdinalsAndInternalNamesDoNotResolve) {
  HMODULE tekora = LoadLibraryA("TEKORA.DLL");
  ASSERT_NE(nullptr, tekora);
  EXPECT_EQ(nullptr, GetProcAddress(tekora, MAKEINTRESOURCEA(1)));
  EXPECT_EQ(ERROR_PROC_NOT_FOUND, GetLastError());
  EXPECT_EQ(nullptr, GetProcAddress(tekora, "DllMain"));
  FreeLibrary(tekora);
}

}  // namespace
