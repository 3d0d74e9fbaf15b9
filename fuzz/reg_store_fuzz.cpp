// The .reg store: a text that parses writes a text that parses into the
// same tree (written again, the same text); a damaged store file makes a
// change fail with ERROR_BADDB and stays byte for byte.
#include <stdlib.h>
#include <windows.h>

#include <string>

#include "../platform/winport/src/reg_format.h"
#include "fuzz_support.h"

namespace {

const char kRoot[] = "HKEY_CURRENT_USER";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("WINPORT_ROOT", fuzz::PathOf("winport").c_str(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using winport::registry::Key;
  const std::string input(reinterpret_cast<const char*>(data), size);
  Key tree(kRoot);
  const bool parsed = winport::registry::ParseRegText(input, kRoot, &tree);
  if (parsed) {
    const std::string text = winport::registry::FormatRegText(tree, kRoot);
    Key again(kRoot);
    FUZZ_CHECK(winport::registry::ParseRegText(text, kRoot, &again), fuzz::Escaped(input) + " wrote " + fuzz::Escaped(text));
    FUZZ_CHECK(winport::registry::FormatRegText(again, kRoot) == text,
               fuzz::Escaped(input) + " wrote " + fuzz::Escaped(text));
  }

  // The same text as the store's file of the root.
  static const std::string folder = fuzz::PathOf("winport");
  static const std::string file = folder + "/registry/" + kRoot + ".reg";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "/registry").c_str(), nullptr);
  fuzz::WriteFile(file, input);
  HKEY key;
  const LSTATUS status =
      RegCreateKeyExA(HKEY_CURRENT_USER, "Fuzz", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS) RegCloseKey(key);
  if (!parsed) {
    FUZZ_CHECK(status == ERROR_BADDB, fuzz::Escaped(input) + ": " + std::to_string(status));
    FUZZ_CHECK(fuzz::ReadFile(file) == input, fuzz::Escaped(input));
  } else {
    FUZZ_CHECK(status == ERROR_SUCCESS, fuzz::Escaped(input) + ": " + std::to_string(status));
  }
  return 0;
}
