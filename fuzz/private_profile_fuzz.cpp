// The private-profile calls of the POSIX layer: a list or a value read into
// a buffer of any size is the full answer cut to fit, and a write changes
// only the line it writes (or adds one), and reads back.
#include <string.h>
#include <windows.h>

#include <string>
#include <vector>

#include "fuzz_support.h"

namespace {

const DWORD kLarge = 1 << 14;  // more than the longest input a run makes

// The answer as a buffer of `size` bytes holds it, with the result.
std::string Read(LPCSTR section, LPCSTR key, const std::string& path, DWORD size, DWORD* result) {
  std::vector<char> buffer(size + 1, '\x7F');
  *result = GetPrivateProfileStringA(section, key, "dflt", buffer.data(), size, path.c_str());
  FUZZ_CHECK(buffer[size] == '\x7F', "wrote past the buffer");
  return std::string(buffer.data(), size);
}

// A list (sections or keys) read at every small size agrees with the full list.
void CheckListAtEverySize(LPCSTR section, const std::string& path, const std::string& input) {
  DWORD fullLength;
  const std::string full = Read(section, nullptr, path, kLarge, &fullLength);
  for (DWORD size = 1; size < 64 && size <= fullLength + 1; ++size) {
    DWORD length;
    const std::string cut = Read(section, nullptr, path, size, &length);
    if (fullLength + 1 <= size) {
      FUZZ_CHECK(length == fullLength && cut.compare(0, length + 1, full, 0, length + 1) == 0, fuzz::Escaped(input));
    } else if (size >= 2) {
      FUZZ_CHECK(length == size - 2, fuzz::Escaped(input) + " size " + std::to_string(size));
      FUZZ_CHECK(cut.compare(0, size - 2, full, 0, size - 2) == 0 && cut[size - 2] == '\0' && cut[size - 1] == '\0',
                 fuzz::Escaped(input) + " size " + std::to_string(size));
    } else {
      FUZZ_CHECK(length == 0 && cut[0] == '\0', fuzz::Escaped(input));
    }
  }
}

// A value read at every small size is the full value cut to size - 1.
void CheckValueAtEverySize(LPCSTR section, LPCSTR key, const std::string& path, const std::string& input) {
  DWORD fullLength;
  const std::string full = Read(section, key, path, kLarge, &fullLength);
  for (DWORD size = 1; size < 64 && size <= fullLength + 1; ++size) {
    DWORD length;
    const std::string cut = Read(section, key, path, size, &length);
    const DWORD expected = fullLength < size - 1 ? fullLength : size - 1;
    FUZZ_CHECK(length == expected && cut.compare(0, length, full, 0, length) == 0 && cut[length] == '\0',
               fuzz::Escaped(input) + " size " + std::to_string(size));
  }
}

// The bytes in which two texts differ, as [begin, old end) and [begin, new end).
void Difference(const std::string& before, const std::string& after, size_t* begin, size_t* beforeEnd,
                size_t* afterEnd) {
  size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) ++prefix;
  size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
    ++suffix;
  *begin = prefix;
  *beforeEnd = before.size() - suffix;
  *afterEnd = after.size() - suffix;
}

// Writing a key changes no byte outside one line of the file, and reads back.
void CheckWrite(const std::string& section, const std::string& path, const std::string& input) {
  const std::string before = fuzz::ReadFile(path);
  FUZZ_CHECK(WritePrivateProfileStringA(section.c_str(), "FuzzKey", "written", path.c_str()),
             fuzz::Escaped(input));
  const std::string after = fuzz::ReadFile(path);
  size_t begin, beforeEnd, afterEnd;
  Difference(before, after, &begin, &beforeEnd, &afterEnd);
  FUZZ_CHECK(before.substr(begin, beforeEnd - begin).find('\n') == std::string::npos,
             fuzz::Escaped(input) + " became " + fuzz::Escaped(after));
  DWORD length;
  const std::string value = Read(section.c_str(), "FuzzKey", path, kLarge, &length);
  FUZZ_CHECK(std::string(value.c_str()) == "written", fuzz::Escaped(input) + " became " + fuzz::Escaped(after));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  static const std::string path = fuzz::PathOf("profile.ini");
  fuzz::WriteFile(path, input);

  CheckListAtEverySize(nullptr, path, input);
  DWORD length;
  const std::string sections = Read(nullptr, nullptr, path, kLarge, &length);
  // The first section and its first key, when there are any.
  const std::string section = length > 0 ? std::string(sections.c_str()) : std::string("new");
  CheckListAtEverySize(section.c_str(), path, input);
  const std::string keys = Read(section.c_str(), nullptr, path, kLarge, &length);
  if (length > 0) CheckValueAtEverySize(section.c_str(), keys.c_str(), path, input);
  if (section.find_first_of("\r\n") == std::string::npos) CheckWrite(section, path, input);
  return 0;
}
