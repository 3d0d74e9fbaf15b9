// The profile cache: one PAIniFile per absolute path, kept for the whole
// process, and private-profile calls that read and write INI files through
// it. The first use of a file reads it (creating it empty when missing);
// later calls touch only memory; modified files reach the disk when they
// are saved (PASaveProfiles, PAFlushProfiles, a write with section, key and
// value all null), when a thread that used the cache ends, and when the
// library unloads. Reads create what they miss: a missing section is added
// and a missing key is stored with the default value.
//
// Paths are taken against the working directory and compared without regard
// to case. Name lists use the double-NUL layout: each name followed by a NUL,
// and one more NUL after the last.
#pragma once

#include <afx.h>

#include <tekora/ini_file.h>
#include <tekora/path_index.h>

class PABigProfile : public CObject {
  DECLARE_SERIAL(PABigProfile)
 public:
  // An empty cache.
  PABigProfile();
  // Saves the modified files (SaveAll), then removes them all.
  ~PABigProfile() override;

  static CRuntimeClass* GetThisClass();

  int GetFileCount() const;
  // The file at the index, or null for an index out of range.
  PAIniFile* GetFile(int index) const;
  // The index of the file whose path equals `path` without regard to case,
  // or -1 (also for a null path). Takes the same time however many files
  // are cached.
  int FindFileIndex(LPCSTR path) const;
  // FindFileIndex, then GetFile.
  PAIniFile* FindFile(LPCSTR path) const;
  // 1 when the file is cached already; else appends a new PAIniFile for the
  // path (made absolute) without reading it, 1. 0 when memory runs out.
  int AddFile(LPCSTR path);
  // AddFile, then Load of that file; the result of Load. A file that cannot
  // be read stays cached, empty.
  int LoadFile(LPCSTR path);
  // Removes and deletes the file at the index without saving it. 1; 0 for
  // a bad index.
  int RemoveFile(int index);
  // Removes the file that FindFileIndex finds. 1; 0 when it is not cached.
  int RemoveFile(LPCSTR path);
  // Removes every file, from the last to the first. 0 when the cache was
  // empty, else 1.
  int RemoveAllFiles();
  // Saves every modified file, in order. The result is the last file's: 1
  // when it was modified and saved, else 0. A file that cannot be saved
  // stays modified and is tried again at the next save.
  int SaveAll();

 private:
  CObArray m_files;
  // Every file's position in m_files under its path.
  tekora::PathIndex m_index;
};

extern "C" {

// The process-wide cache that the functions below use.
PABigProfile* PAGetProfileCache(void);
// Saves the shared cache's modified files (SaveAll and its result).
int PASaveProfiles(void);
// Saves the shared cache's modified files, then empties the cache, so that
// the next access reads the files from disk again. 0 when the cache was
// empty, else 1.
int PAFlushProfiles(void);

// Changes the cached copy of the file: section, key and value null saves the
// file now, whatever its flags (the result of the save; a non-null value
// alone gives 0); a null key removes the section (found without regard to
// case); a null value removes the key (likewise); otherwise the key found
// by exact case is set, or added, in the section found or added by exact
// case. 1 on success, 0 otherwise (an empty file name, a null or empty
// section or key). Only the save writes anything to disk.
int PAWritePrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file);
// The key's value as a number (GetIntValue: "YES" 1, "NO" 0, else the
// leading decimal number). A missing key returns the default and stores it;
// a key whose value is no number gives 0. 0 also for an empty file name or
// a null section or key (then nothing is read).
int PAGetPrivateProfileInt(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file);
// The section names in the file's order into the buffer of `size` bytes,
// as a double-NUL list. Result: the length of the list less 2 when it fits
// (0 for no names); else the list is cut to size - 2 characters (a cut
// right after a name ends that name with a space) and ended with two NULs,
// and the result is the number of characters kept. 0 for a null buffer or
// one not writable for `size` bytes, or an empty file name.
int PAGetPrivateProfileSectionNames(LPSTR buffer, unsigned int size, LPCSTR file);
// The same for the key names of a section (added when missing; 0 for a null
// or empty section name).
int PAGetPrivateProfileKeyNames(LPCSTR section, LPSTR buffer, unsigned int size, LPCSTR file);
// The key's value into the buffer (zero-filled first), cut to size - 1
// characters; the result is the number of characters copied. A missing key
// is stored with the default (white space trimmed) and that is returned. A
// null section gives the section names, a null key the key names of the
// section. 0 for a null or unwritable buffer, an empty file name, a null or
// empty section or key name.
int PAGetPrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, unsigned int size,
                              LPCSTR file);

// The path of WIN.INI: the Windows directory (with its "\") and "WIN.INI";
// empty when the Windows directory cannot be read.
void PAGetWinIniPath(CString& path);
// Makes the path absolute (against the working directory), keeping it as it
// is when that fails. 0 for an empty path, else 1.
int PAMakeFullPath(CString& path);
// The private-profile calls above on WIN.INI, through the same cache.
int PAGetProfileInt(LPCSTR section, LPCSTR key, int defaultValue);
int PAGetProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, unsigned int size);
int PAWriteProfileString(LPCSTR section, LPCSTR key, LPCSTR value);

// An entry point kept for the suite's older tools: does nothing, returns 0.
int PAProfileReserved(void);

}  // extern "C"
