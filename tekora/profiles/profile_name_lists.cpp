// The name lists of the private-profile calls: the section names of a file
// and the key names of a section, in a caller's buffer as double-NUL lists.
#include <string.h>

#include <new>
#include <string>

#include <tekora/profiles.h>

#include "shared_profile.h"

namespace {

// Names are joined with this character while the list is built; it is
// written as NUL.
const char kSeparator = '\x01';

// Room reserved per key name before the key list is built (up to a limit,
// so that a section of many thousand keys asks for no more than it needs).
const size_t kRoomPerKey = 200;
const size_t kMostRoomReserved = 1 << 20;

// Cuts the list to the buffer's size and copies it, each separator as NUL.
// `list` holds the names, each followed by a separator. Returns the
// result of the list calls.
int CopyList(std::string& list, LPSTR buffer, unsigned int size) {
  const size_t built = list.size();  // L
  int result;
  list += kSeparator;
  if (built + 1 <= size) {
    result = built == 0 ? 0 : static_cast<int>(built - 1);
  } else {
    size_t kept = size <= 2 ? 0 : size - 2;
    list.resize(kept);
    if (kept > 0 && list[kept - 1] == kSeparator) list[kept - 1] = ' ';
    result = static_cast<int>(kept);
    list += kSeparator;
    list += kSeparator;
  }
  size_t count = list.size() < size ? list.size() : size;
  for (size_t i = 0; i < count; ++i) buffer[i] = list[i] == kSeparator ? '\0' : list[i];
  return result;
}

void AppendName(std::string& list, LPCSTR name) {
  if (*name == '\0') return;
  list += name;
  list += kSeparator;
}

}  // namespace

namespace tekora {

bool SectionKeyNames(const PAIniSection* section, std::string* names) {
  try {
    names->clear();
    for (int i = 0; i < section->GetEntryCount(); ++i) {
      LPCSTR key = section->GetEntry(i)->GetKey();
      if (*key == '\0') continue;
      names->append(key);
      names->push_back('\0');
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace tekora

int PAGetPrivateProfileSectionNames(LPSTR buffer, unsigned int size, LPCSTR file) {
  if (buffer == nullptr || IsBadWritePtr(buffer, size)) return 0;
  PAIniFile* ini = tekora::CachedProfileFile(file);
  if (ini == nullptr) return 0;
  memset(buffer, 0, size);
  try {
    std::string list;
    for (int i = 0; i < ini->GetSectionCount(); ++i) AppendName(list, ini->GetSection(i)->GetName());
    return CopyList(list, buffer, size);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int PAGetPrivateProfileKeyNames(LPCSTR section, LPSTR buffer, unsigned int size, LPCSTR file) {
  if (buffer == nullptr || IsBadWritePtr(buffer, size)) return 0;
  PAIniSection* found = tekora::CachedProfileSection(file, section);
  if (found == nullptr) return 0;
  memset(buffer, 0, size);
  try {
    std::string list;
    size_t room = static_cast<size_t>(found->GetEntryCount()) * kRoomPerKey;
    list.reserve(room < kMostRoomReserved ? room : kMostRoomReserved);
    for (int i = 0; i < found->GetEntryCount(); ++i) AppendName(list, found->GetEntry(i)->GetKey());
    return CopyList(list, buffer, size);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}
