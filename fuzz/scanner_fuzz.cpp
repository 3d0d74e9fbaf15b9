// quillet's comment scanner and CheckScript: the fast scan gives the depth
// the stepwise reference gives, on 8-bit scripts and on UTF-16 scripts of
// either byte order (odd lengths too); CheckScript's answer follows that
// depth, the check of the same bytes in memory agrees with it, and neither
// leaves a temporary file behind.
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <string>

#include "check_script.h"
#include "fuzz_support.h"
#include "qpxlex.h"
#include "qpxlex_reference.h"

namespace {

// The depth the scanner of that kind finds in the file.
template <class Scanner>
int DepthOf(const std::string& path) {
  FILE* stream = fopen(path.c_str(), "rb");
  FUZZ_CHECK(stream != nullptr, path);
  Scanner scanner(stream);
  FUZZ_CHECK(scanner.yylex() == 0, path);
  fclose(stream);
  return scanner.GetDepth();
}

// The 8-bit form of a UTF-16 text: the low byte of each unit; a final odd
// byte is dropped.
std::string LowBytes(const std::string& wide, bool bigEndian) {
  std::string narrow;
  for (size_t i = 2; i + 1 < wide.size(); i += 2) narrow += wide[bigEndian ? i + 1 : i];
  return narrow;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // CheckScript's temporary copies go into a folder of their own, which
  // must be empty again after every check.
  static const std::string temp = fuzz::PathOf("temp");
  mkdir(temp.c_str(), 0700);
  setenv("TMPDIR", temp.c_str(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the form: 8-bit, or UTF-16 little or big endian.
  const int form = data[0] % 3;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string script = text;
  if (form == 1) script = "\xFF\xFE" + text;
  if (form == 2) script = "\xFE\xFF" + text;
  static const std::string path = fuzz::PathOf("script.sql");
  static const std::string narrowPath = fuzz::PathOf("narrow.sql");
  fuzz::WriteFile(path, script);

  // The text the scanner sees.
  const std::string narrow = form == 0 ? text : LowBytes(script, form == 2);
  fuzz::WriteFile(narrowPath, narrow);
  const int depth = DepthOf<QPXlex>(narrowPath);
  const int expected = DepthOf<QPXlexReference>(narrowPath);
  FUZZ_CHECK(depth == expected, fuzz::Escaped(narrow) + ": " + std::to_string(depth) + " against " +
                                    std::to_string(expected));

  // CheckScript on the script as written: a mark at its start makes it UTF-16.
  const unsigned int result = CheckScript(path.c_str());
  const bool utf16 = script.compare(0, 2, "\xFF\xFE") == 0 || script.compare(0, 2, "\xFE\xFF") == 0;
  fuzz::WriteFile(narrowPath, utf16 ? LowBytes(script, script[0] == '\xFE') : script);
  const unsigned int balanced = DepthOf<QPXlexReference>(narrowPath) == 0 ? kCheckBalanced : kCheckUnbalanced;
  FUZZ_CHECK(result == balanced, fuzz::Escaped(script) + ": " + std::to_string(result));
  // The same script checked from memory, as the merge checks it.
  if (!utf16) {
    const unsigned int inMemory = CheckScriptBytes(script.data(), script.size());
    FUZZ_CHECK(inMemory == result, fuzz::Escaped(script) + ": in memory " + std::to_string(inMemory));
  }
  FUZZ_CHECK(fuzz::FolderEntries("temp").empty(), fuzz::FolderEntries("temp"));
  return 0;
}
