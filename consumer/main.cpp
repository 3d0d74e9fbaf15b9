// A program outside the suite's tree, built against an installed tekora
// (through its CMake package or through pkg-config), that calls a few of the
// library's exports the way the suite's other tools do and checks what they
// give back. It prints one line per check and exits with 1 when one fails.
//
// Usage: consumer <empty folder to work in>
#include <tekora/tekora.h>

#include <cstdio>
#include <cstring>

namespace {

int g_failures = 0;

void Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  if (!ok) ++g_failures;
}

// The whole file as the library left it on disk.
CString ReadFile(const CString& path) {
  CString text;
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return text;
  char buffer[512];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text += CString(buffer, static_cast<int>(n));
  std::fclose(file);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: consumer <empty folder>\n");
    return 2;
  }

  Check(PACompareModuleVersion("TEKORA.DLL", 1, 12, 279, 0) == 0,
        "the loaded library is version 1.12.279.0");

  CString folder(argv[1]);
  Check(PACheckPath(folder, 0, 0) == 1, "PACheckPath finds the work folder");
  Check(PANormalizeDirectory(folder) == 1 && folder.Right(1) == "\\" && folder.Right(2) != "\\\\",
        "PANormalizeDirectory gives the canonical form with one trailing backslash");
  CString lower = folder;
  lower.MakeLower();
  Check(folder == lower, "the canonical form is lower case");

  // The profile cache: a write and a read of the same key, then the save
  // that puts the sorted INI text on disk.
  const CString ini = CString(argv[1]) + "/consumer.ini";
  Check(PAWritePrivateProfileString("Main", "Name", "consumer", ini) == 1, "PAWritePrivateProfileString");
  char value[64] = {};
  Check(PAGetPrivateProfileString("Main", "Name", "", value, sizeof value, ini) == 8 &&
            std::strcmp(value, "consumer") == 0,
        "PAGetPrivateProfileString reads the value back from the cache");
  Check(PAGetPrivateProfileInt("Main", "Count", 7, ini) == 7, "PAGetPrivateProfileInt stores and gives the default");
  PASaveProfiles();
  Check(ReadFile(ini) == "[Main]\r\nCount=7\r\nName=consumer\r\n\r\n",
        "PASaveProfiles writes the sorted INI text with CR LF line ends");

  // The INI model on its own: the saved file loads into sections and entries.
  PAIniFile file(ini);
  Check(file.Load() == 1, "PAIniFile::Load");
  PAIniSection* section = file.FindSection("Main");
  PAIniEntry* entry = section != nullptr ? section->FindEntry("Count") : nullptr;
  int count = 0;
  Check(entry != nullptr && entry->GetIntValue(count) == 1 && count == 7, "PAIniEntry::GetIntValue");

  return g_failures == 0 ? 0 : 1;
}
