// The line profile: an INI file kept line by line, so that comments, order
// and repeated keys survive loading and saving. Each line is stored with the
// header of the section it stands under, as header + TAB + line; lookups are
// text searches in these stored lines.
#pragma once

#include <afx.h>
#include <afxcoll.h>

extern "C" {

// The stored form of a section name: trimmed, upper case, in brackets
// (" run_stats " gives "[RUN_STATS]", "[a]" gives "[A]").
void PANormalizeSectionName(CString& name);

}  // extern "C"

class PALineProfile {
 public:
  // No lines, no path, not modified.
  PALineProfile();
  ~PALineProfile();

  // Reads the file (path trimmed) line by line: lines are trimmed, empty ones
  // skipped, "[...]" lines become the current header (as written, not
  // normalised), every other line (comments too) is stored under the current
  // header (an empty one before the first). Starts with no lines and not
  // modified. 0 when the file is missing or not both readable and writable;
  // else 1 (also when it cannot be opened: then there are no lines).
  int LoadLines(LPCSTR path);
  // Writes the lines to the file (path trimmed; empty: the path last loaded):
  // each header once before its run of lines, an empty line before every
  // header but the first, CR LF line ends. Nothing is written when the path
  // is the one last loaded and nothing changed. The new content replaces the
  // file only once it is complete. Always 1; the modified flag stays.
  int SaveLines(LPCSTR path);

  // The first stored line (header, TAB and key=value, in stored case) whose
  // upper-case copy holds the normalised section, TAB, the trimmed key and
  // "=", or an empty text. A key with lower-case letters is never found.
  CString GetLine(LPCSTR section, LPCSTR key) const;
  // The key=value part of every stored line whose upper-case copy holds the
  // normalised section and TAB, into `lines` (emptied first).
  void GetSectionLines(LPCSTR section, CStringArray& lines) const;
  // Replaces the first stored line that holds normalised section, TAB,
  // trimmed key and "=" in exact case by that text and the value (marking
  // the profile modified when the line changes), or appends it (modified).
  void SetLine(LPCSTR section, LPCSTR key, LPCSTR value);
  // Removes the first stored line that holds that text in exact case and
  // marks the profile modified; nothing when there is none.
  void DeleteLine(LPCSTR section, LPCSTR key);

  int IsModified() const;
  // The file last loaded.
  LPCSTR GetPath() const;
  // The stored lines, header + TAB + line each.
  const CStringArray& GetLines() const;

 private:
  PALineProfile(const PALineProfile&) = delete;
  PALineProfile& operator=(const PALineProfile&) = delete;

  // Normalised section + TAB + trimmed key + "=".
  static CString KeyPattern(LPCSTR section, LPCSTR key);
  // The index of the first line holding the text in exact case, or -1.
  int FindExact(const CString& text) const;

  int m_bModified;
  CStringArray m_lines;
  CString m_strPath;
};
