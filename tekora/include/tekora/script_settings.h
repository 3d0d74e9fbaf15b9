// The settings block of an SQL script: fourteen keys that describe the
// script to the tools that run it, kept in a block comment that is at the
// same time the INI section "Settings":
//
//   /*VOXTAG
//   [Settings]
//   Application=-1
//   ...
//   Version=
//   [SettingsEnd]
//   VOXTAG*/
//
// The keys are read and written with the private profile functions applied
// to the script file itself; the SQL server sees only a comment.
#pragma once

#include <afx.h>
#include <afxcoll.h>
#include <windows.h>

// One script's settings.
class PAScriptSettings : public CObject {
 public:
  // Title, Description, Version, RunOnlyOnce, BasedOn and Guid empty;
  // Default 1, Display 1, NewInst 0, Upgrade 0, IgnoreErrors 0, Priority 0,
  // Application -1, Locale 0; no script path.
  PAScriptSettings();
  // Frees the seven strings.
  ~PAScriptSettings() override;

  // Nothing to store, check or describe beyond the root object's.
  void Serialize(CArchive& ar) override;
  void AssertValid() const override;
  void Dump(CDumpContext& dc) const override;

  // Remembers scriptPath, then reads the block of that script. 1 when the
  // script's Priority is above 0; otherwise 0, with Priority set to what was
  // read (0 for a missing file or block) and every other field as it was.
  // Values are kept as the rules of the block say: Application clamped to
  // -1..20; flags made 0 or 1; Display 0 when NewInst and Upgrade are both
  // 0, Default 0 when Display is 0; a Locale the system does not support
  // becomes 0; Title and Description lose their enclosing single quotes and
  // get capitals (first character, and the word after a colon when the text
  // also has a blank); texts are cut to 259 characters (RunOnlyOnce 2599).
  // An empty Guid gets a new GUID in braces when createGuid is non-zero; it
  // reaches the file with the next Write.
  int Read(LPCSTR scriptPath, int createGuid);
  // Writes the fourteen keys into the section "Settings" of the script last
  // read, key by key, in alphabetical order; Title and Description in single
  // quotes. A script without the section gets one at its end. A key that
  // cannot be written, or whose text holds a line break, stays as it was in
  // the file; a record that has read no script writes nothing. Always 1.
  int Write();
  // Removes a single quote at the start and one at the end of text (each
  // where there is one).
  void StripQuotes(CString& text);
  // Sets text to the default block (lines joined by LF, no line end after
  // the last). Non-zero when the text was found.
  static int LoadDefaultBlock(CString& text);

  // The fields, one getter and setter each. The setters store the value as
  // given (the rules above apply only to Read).
  const CString& GetScriptPath() const;
  void SetScriptPath(LPCSTR path);
  const CString& GetTitle() const;
  void SetTitle(LPCSTR text);
  const CString& GetDescription() const;
  void SetDescription(LPCSTR text);
  const CString& GetVersion() const;
  void SetVersion(LPCSTR text);
  const CString& GetRunOnlyOnce() const;
  void SetRunOnlyOnce(LPCSTR text);
  const CString& GetBasedOn() const;
  void SetBasedOn(LPCSTR text);
  const CString& GetGuid() const;
  void SetGuid(LPCSTR text);
  int GetDefault() const;
  void SetDefault(int value);
  int GetIgnoreErrors() const;
  void SetIgnoreErrors(int value);
  int GetNewInst() const;
  void SetNewInst(int value);
  int GetUpgrade() const;
  void SetUpgrade(int value);
  int GetDisplay() const;
  void SetDisplay(int value);
  int GetPriority() const;
  void SetPriority(int value);
  int GetApplication() const;
  void SetApplication(int value);
  int GetLocale() const;
  void SetLocale(int value);

 protected:
  CString m_strScriptPath;
  CString m_strTitle;
  CString m_strDescription;
  CString m_strVersion;
  CString m_strRunOnlyOnce;
  CString m_strBasedOn;
  CString m_strGuid;
  int m_nDefault;
  int m_nIgnoreErrors;
  int m_nNewInst;
  int m_nUpgrade;
  int m_nDisplay;
  int m_nPriority;
  int m_nApplication;
  int m_nLocale;
};

// An array of settings records that owns them: removing all elements and
// destroying the array delete every record in it.
class PAScriptSettingsArray : public CObArray {
 public:
  // An empty array.
  PAScriptSettingsArray();
  // RemoveAll, then the array's own storage.
  ~PAScriptSettingsArray() override;

  // Nothing to check or describe beyond the array's own.
  void AssertValid() const override;
  void Dump(CDumpContext& dc) const override;

  // The record at index. An index below 0 or not below the element count
  // raises the framework's CInvalidArgException (the one operation whose
  // exception reaches the caller).
  PAScriptSettings* GetAt(int index) const;
  // Deletes every record (null elements are skipped), then empties the array.
  void RemoveAll();
  // Sorts the records by ascending Priority (records of equal Priority in no
  // defined order). 1 when sorted; 0 when there are fewer than two elements.
  int SortByPriority();
  // qsort comparison of two elements (each a pointer to a record pointer):
  // 1 when the first has the higher Priority, -1 when the lower, 0 when equal.
  static int ComparePriority(const void* first, const void* second);
};
