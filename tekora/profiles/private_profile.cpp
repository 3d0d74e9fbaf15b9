// The private-profile calls on the shared cache: read and write one key,
// remove a key or a section, force one file to disk.
#include <string.h>

#include <new>

#include <tekora/profiles.h>

#include "shared_profile.h"

namespace tekora {

PAIniSection* CachedSectionIn(PAIniFile* ini, LPCSTR section) {
  PAIniSection* found = ini->FindSection(section);
  if (found != nullptr) return found;
  ini->AddSection(section, 1);
  return ini->FindSection(section);
}

PAIniSection* CachedProfileSection(LPCSTR file, LPCSTR section) {
  PAIniFile* ini = CachedProfileFile(file);
  return ini == nullptr ? nullptr : CachedSectionIn(ini, section);
}

PAIniEntry* ProfileEntryFor(PAIniSection* section, LPCSTR key, LPCSTR defaultValue) {
  PAIniEntry* entry = section->FindEntry(key);
  if (entry != nullptr) return entry;
  try {
    CString trimmed(defaultValue);
    trimmed.Trim();
    section->SetEntry(key, trimmed, 1);
  } catch (CException* e) {
    e->Delete();
    return nullptr;
  }
  return section->FindEntry(key);
}

bool ReadSectionString(PAIniSection* section, LPCSTR key, LPCSTR defaultValue, unsigned int size,
                       SharedText* value) {
  if (key == nullptr || size == 0) return false;
  PAIniEntry* entry = ProfileEntryFor(section, key, defaultValue);
  if (entry == nullptr) return false;
  const size_t length = strlen(entry->GetValue());
  if (length > size - 1) {
    value->Assign(entry->GetValue(), size - 1);
  } else {
    *value = IniEntryTexts::Value(*entry);
  }
  return true;
}

}  // namespace tekora

int PAMakeFullPath(CString& path) {
  if (path.IsEmpty()) return 0;
  char full[MAX_PATH];
  if (_fullpath(full, path, MAX_PATH) != nullptr) {
    try {
      path = full;
    } catch (CException* e) {
      e->Delete();
    }
  }
  return 1;
}

int PAWritePrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
  PAIniFile* ini = tekora::CachedProfileFile(file);
  if (ini == nullptr) return 0;
  if (section == nullptr && key == nullptr) return value == nullptr ? ini->Save() : 0;
  if (key == nullptr) return ini->RemoveSection(section);
  PAIniSection* found = tekora::CachedSectionIn(ini, section);
  if (found == nullptr) return 0;
  if (value == nullptr) return found->RemoveEntry(key);
  return found->SetEntry(key, value, 1);
}

int PAGetPrivateProfileInt(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file) {
  if (file == nullptr || *file == '\0' || section == nullptr || key == nullptr) return 0;
  PAIniSection* found = tekora::CachedProfileSection(file, section);
  if (found == nullptr) return 0;
  PAIniEntry* entry = found->FindEntry(key);
  if (entry == nullptr) {
    found->SetEntry(key, defaultValue, 1);
    entry = found->FindEntry(key);
    if (entry == nullptr) return 0;
  }
  int value = 0;
  return entry->GetIntValue(value) ? value : 0;
}

int PAGetPrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, unsigned int size,
                              LPCSTR file) {
  if (buffer == nullptr || IsBadWritePtr(buffer, size)) return 0;
  if (file == nullptr || *file == '\0') return 0;
  if (section == nullptr) return PAGetPrivateProfileSectionNames(buffer, size, file);
  if (key == nullptr) return PAGetPrivateProfileKeyNames(section, buffer, size, file);
  PAIniSection* found = tekora::CachedProfileSection(file, section);
  if (found == nullptr) return 0;
  PAIniEntry* entry = tekora::ProfileEntryFor(found, key, defaultValue);
  if (entry == nullptr) return 0;
  memset(buffer, 0, size);
  if (size == 0) return 0;
  size_t length = strlen(entry->GetValue());
  if (length > size - 1) length = size - 1;
  memcpy(buffer, entry->GetValue(), length);
  return static_cast<int>(length);
}
