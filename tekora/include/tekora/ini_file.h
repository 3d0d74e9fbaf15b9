// The INI file model: one INI file in memory (PAIniFile), its bracketed
// sections (PAIniSection) and their key=value lines (PAIniEntry).
//
// Sections and entries keep their order and are found by exact name through
// a hash index (FindSection, FindEntry) or without regard to case by a scan
// (FindSectionIndex, FindEntryIndex). Each object tracks its own changes;
// IsModified of a section or file also looks at what it holds. Destroying an
// object deletes what it holds and never writes anything. No call throws.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include <tekora/name_index.h>
#include <tekora/shared_text.h>

namespace tekora {
struct IniEntryTexts;
}  // namespace tekora

class PAIniEntry : public CObject {
  DECLARE_SERIAL(PAIniEntry)
 public:
  // Empty key and value; not modified.
  PAIniEntry();
  // The key and value as given (null is empty); not modified.
  PAIniEntry(LPCSTR key, LPCSTR value);
  // The value stored as its decimal text; not modified.
  PAIniEntry(LPCSTR key, int value);
  ~PAIniEntry() override;

  // The runtime class record, as GetRuntimeClass gives it for this class.
  static CRuntimeClass* GetThisClass();

  // Stores the key; the entry is marked modified when it differs in exact
  // comparison. The section's index is not told: FindEntry keeps finding
  // the entry under the key it had when it was added.
  void SetKey(LPCSTR key);
  // Stores the value; marked modified when it differs in exact comparison.
  void SetValue(LPCSTR value);
  // Stores the value's decimal text, as SetValue.
  void SetValue(int value);

  // 1 when the text, trimmed of white space, is "YES" or "NO" (any case) or
  // consists only of characters that IsNumberChar accepts ("+12", "1.5",
  // "1-2"); 0 for an empty text and anything else ("12a", "0x10").
  static int IsIntValue(LPCSTR text);
  // The value as a number into `value`: 1 for "YES", 0 for "NO", else the
  // leading decimal number (atoi: "1.5" gives 1). Result 1; 0 with `value`
  // 0 when IsIntValue of the value is 0.
  int GetIntValue(int& value) const;
  // 1 for "+", "-", "." and every character the user's locale classes as a
  // decimal digit; 0 otherwise.
  static int IsNumberChar(char c);

  LPCSTR GetKey() const;
  LPCSTR GetValue() const;
  // The entry's own modified flag, and setting it.
  int IsModified() const;
  void SetModified(int modified);

 private:
  friend class PAIniSection;
  friend struct tekora::IniEntryTexts;
  // The key and value texts shared with others.
  PAIniEntry(const tekora::SharedText& key, const tekora::SharedText& value);

  int m_bModified;
  // Shared with the entries of other sections of the same key and with the
  // configuration items that read the value.
  tekora::SharedText m_strKey;
  tekora::SharedText m_strValue;
};

class PAIniSection : public CObject {
  DECLARE_SERIAL(PAIniSection)
 public:
  // No name, no entries, not modified.
  PAIniSection();
  explicit PAIniSection(LPCSTR name);
  // Deletes every entry.
  ~PAIniSection() override;

  static CRuntimeClass* GetThisClass();

  // The entry at the index, or null for an index out of range.
  PAIniEntry* GetEntry(int index) const;
  // The entry added under exactly this key, or null (also for a null or
  // empty key).
  PAIniEntry* FindEntry(LPCSTR key) const;
  // The index of the first entry whose key equals `key` without regard to
  // case, or -1 (also for a null key).
  int FindEntryIndex(LPCSTR key) const;
  // Sets the value of the entry found by exact key (FindEntry; `mark` is not
  // used then), or appends a new, unmodified entry and marks the section
  // modified when `mark` is non-zero. 1; 0 for a null or empty key or when
  // memory runs out (nothing changed).
  int SetEntry(LPCSTR key, LPCSTR value, int mark);
  // As above with the value's decimal text.
  int SetEntry(LPCSTR key, int value, int mark);
  // Removes and deletes the entry at the index and marks the section
  // modified. 1; 0 for a bad index.
  int RemoveEntry(int index);
  // Removes the entry that FindEntryIndex finds. 1; 0 when there is none.
  int RemoveEntry(LPCSTR key);
  // Removes every entry, from the last to the first. 0 when there were
  // none, else 1.
  int RemoveAllEntries();
  // Sorts the entries by key without regard to case, in the user's sort
  // order (lstrcmpiA). Entries whose keys compare equal may swap places.
  void SortEntries();
  // 1 when the section's own flag or any entry's flag is set.
  int IsModified() const;

  LPCSTR GetName() const;
  int GetEntryCount() const;
  // Sets the section's own modified flag (the entries keep theirs).
  void SetModified(int modified);

 private:
  friend class PAIniFile;
  // SetEntry; a new entry shares its key text with the entry at the same
  // place in `model` (may be null) when that has the same key: the sections
  // of a file mostly list the same keys in the same order. Its other texts
  // are made by `pack` (may be null: each text its own block).
  int SetEntry(LPCSTR key, LPCSTR value, int mark, const PAIniSection* model, tekora::SharedTextPack* pack);
  // Appends a new, unmodified entry; SetEntry's last step.
  int AddEntry(const tekora::SharedText& key, const tekora::SharedText& value, int mark);
  // Gives back the room the entry array and the index keep for more
  // entries: a loaded file holds many sections of a few entries.
  void FreeExtra();

  // The same layout as PAIniFile: the exact-name lookup is one piece of
  // code for both classes.
  CString m_strName;
  int m_bModified;
  CObArray m_entries;
  tekora::NameIndex m_index;
};

class PAIniFile : public CObject {
  DECLARE_SERIAL(PAIniFile)
 public:
  // No path, no sections, not modified.
  PAIniFile();
  // The path made absolute at once (MakeFullPath); nothing is read.
  explicit PAIniFile(LPCSTR path);
  // Deletes every section; nothing is saved.
  ~PAIniFile() override;

  static CRuntimeClass* GetThisClass();

  // Replaces the path by its absolute form; leaves it when that fails.
  void MakeFullPath();

  // The section at the index, or null for an index out of range.
  PAIniSection* GetSection(int index) const;
  // The section added under exactly this name, or null (also for a null or
  // empty name).
  PAIniSection* FindSection(LPCSTR name) const;
  // The index of the first section whose name equals `name` without regard
  // to case, or -1.
  int FindSectionIndex(LPCSTR name) const;
  // 1 when a section of exactly this name exists (nothing changes); else
  // appends a new empty section, marks the file modified when `mark` is
  // non-zero, 1. 0 for a null or empty name or when memory runs out.
  int AddSection(LPCSTR name, int mark);
  // Removes and deletes the section at the index (with its entries) and
  // marks the file modified. 1; 0 for a bad index.
  int RemoveSection(int index);
  // Removes the section that FindSectionIndex finds. 1; 0 when none.
  int RemoveSection(LPCSTR name);
  // Removes every section, from the last to the first. 0 when there were
  // none, else 1.
  int RemoveAllSections();
  // Sorts the sections by name as SortEntries sorts entries.
  void SortSections();
  // 1 when the file's own flag is set or any section IsModified.
  int IsModified() const;

  // Reads the file at the path into the object, merging with what it holds:
  // "[name]" lines (trimmed, also inside the brackets) start or continue a
  // section ("[]" ends the current one), "key=value" lines in a section set
  // an entry (the key trimmed at its end, the value at its start; a later
  // line of the same exact key wins); comments (";"), blank lines, lines
  // without "=" and lines before the first header are skipped. A missing
  // file is created empty. Clears the file's own modified flag (sections
  // and entries keep theirs). 1; 0 when the file cannot be opened or read
  // (nothing changed when it cannot be opened).
  int Load();
  // Writes the object to the file at the path: the sections sorted by name,
  // each with entries as "[name]", one "key=value" line per entry with a
  // non-empty key, sorted by key, and an empty line, CR LF line ends;
  // sections with an empty name or no entries are left out. The content is
  // written to a new file beside the old one, which it replaces only when
  // complete. Clears every modified flag it wrote. 1; 0 when the file
  // cannot be written (the old file and every flag stay as they were).
  int Save();

  LPCSTR GetPath() const;
  int GetSectionCount() const;
  // Sets the file's own modified flag (sections keep theirs).
  void SetModified(int modified);

 private:
  CString m_strPath;
  int m_bModified;
  CObArray m_sections;
  tekora::NameIndex m_index;
};
