// CFileFind: walks the directory entries that match a pattern.
//
//   CFileFind finder;
//   BOOL bWorking = finder.FindFile("*.sql");
//   while (bWorking) {
//     bWorking = finder.FindNextFile();  // first call gives the first entry
//     ... finder.GetFilePath() ...
//   }
//
// FindNextFile must be called once before the first entry can be read; it
// returns nonzero while more entries follow, and 0 when the entry it just
// made current is the last one. Accessors used before the first entry
// return empty values.
#pragma once

#include <windows.h>
#include <afx/cstring.h>
#include <afx/datetime.h>
#include <afx/object.h>

class CFileFind : public CObject {
  DECLARE_DYNAMIC(CFileFind)
 public:
  CFileFind();
  ~CFileFind() override;

  // Starts a search (pstrName NULL means "*.*" in the current directory).
  // FALSE, with the last error set, when nothing matches.
  virtual BOOL FindFile(LPCSTR pstrName = NULL, DWORD dwUnused = 0);
  // Makes the next entry current; see the file comment for the result.
  virtual BOOL FindNextFile();
  // Ends the search.
  void Close();

  // The current entry: its name on disk, its full path (root + "\" + name),
  // its name without the extension, and the absolute folder of the search.
  virtual CString GetFileName() const;
  virtual CString GetFilePath() const;
  virtual CString GetFileTitle() const;
  virtual CString GetRoot() const;

  ULONGLONG GetLength() const;
  BOOL GetLastWriteTime(FILETIME* pTimeStamp) const;
  BOOL GetLastWriteTime(CTime& refTime) const;

  // Attribute tests of the current entry.
  virtual BOOL MatchesMask(DWORD dwMask) const;
  BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
  BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
  BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
  BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
  BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }
  BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
  BOOL IsTemporary() const { return MatchesMask(FILE_ATTRIBUTE_TEMPORARY); }
  // TRUE for the directory entries "." and "..".
  virtual BOOL IsDots() const;

 private:
  HANDLE m_hContext;        // NULL when no search is open
  bool m_bHaveFound;        // m_found holds the current entry
  WIN32_FIND_DATAA m_found;  // the current entry
  WIN32_FIND_DATAA m_next;   // the entry the next FindNextFile makes current
  CString m_strRoot;
};
