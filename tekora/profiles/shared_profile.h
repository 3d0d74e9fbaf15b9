// The process-wide profile cache. The library makes it when it is loaded and
// frees it when it unloads (DllMain); every thread that uses it saves its
// modified files when the thread ends.
#pragma once

#include <string>

#include <tekora/profiles.h>

namespace tekora {

void CreateSharedProfileCache();
// Saves the modified files of the shared cache (for the library's unload,
// where no thread-end save may be arranged any more).
int SaveSharedProfileCache();
// Saves the modified files, empties the cache and frees it.
void FreeSharedProfileCache();

// The shared cache (null outside the library's lifetime). The first call on
// a thread arranges the save at the end of that thread.
PABigProfile* SharedProfileCache();

// The opening steps of the private-profile calls: the file name made
// absolute, and the cached copy of that file, read from disk (created empty
// when missing) at its first use. Null for an empty file name or when
// memory runs out.
PAIniFile* CachedProfileFile(LPCSTR file);

// The section of exactly that name in the cached copy of the file, added
// (and the file marked modified) when the file has none, as every
// private-profile read finds it. Null when the file cannot be had, for a
// null or empty name, or when memory runs out.
PAIniSection* CachedProfileSection(LPCSTR file, LPCSTR section);
// The same in a cached file that the caller found with CachedProfileFile
// (null for a null or empty name).
PAIniSection* CachedSectionIn(PAIniFile* ini, LPCSTR section);

// The entry of exactly that key, added with the default trimmed of white
// space at both ends (and the section marked modified) when missing, as
// PAGetPrivateProfileString finds it. Null for a null or empty key or when
// memory runs out.
PAIniEntry* ProfileEntryFor(PAIniSection* section, LPCSTR key, LPCSTR defaultValue);

// The texts of an entry as the library's own readers take them: shared,
// not copied.
struct IniEntryTexts {
  static const SharedText& Value(const PAIniEntry& entry) { return entry.m_strValue; }
};

// The value PAGetPrivateProfileString (section, key, default, buffer, size,
// file) leaves in a buffer of `size` bytes, without the buffer, given the
// section that CachedProfileSection finds for the file: the key's value
// (the key added with the trimmed default when missing), at most size - 1
// characters; a value that fits is the cached value's own text. False, with
// `value` unchanged, where that call returns 0 before it writes the buffer.
// Throws the framework's memory exception.
bool ReadSectionString(PAIniSection* section, LPCSTR key, LPCSTR defaultValue, unsigned int size,
                       SharedText* value);

// The key names of the section as PAGetPrivateProfileKeyNames lists them
// (in order, empty ones left out), each followed by a NUL, as if the buffer
// were large enough for all of them. False when memory runs out.
bool SectionKeyNames(const PAIniSection* section, std::string* names);

}  // namespace tekora
