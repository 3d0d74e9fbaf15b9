// What the CVS queries share: the opening that checks the file and moves into
// its directory, and running one "cvs.exe" command through a batch file with
// its output read back line by line.
#pragma once

#include <afx.h>

#include <functional>

// The working directory of a query: the file's directory while the query
// runs, the caller's again when the object goes.
class CvsQueryDirectory {
 public:
  CvsQueryDirectory();
  ~CvsQueryDirectory();
  CvsQueryDirectory(const CvsQueryDirectory&) = delete;
  CvsQueryDirectory& operator=(const CvsQueryDirectory&) = delete;

  // The opening of a query on the file `path`: FALSE when the path is empty
  // or names no file, when its directory cannot be entered, or, with
  // `bWithinHome`, when the project home (PHOME) is unusable or the file lies
  // outside it. With `bWithinHome` the path is taken in lower case. On
  // success the process works in the file's directory.
  BOOL Enter(LPCSTR path, BOOL bWithinHome);
  // The file's name and extension (lower case when the path was lowered).
  const CString& GetName() const { return m_strName; }

 private:
  char m_szSavedDir[MAX_PATH];
  BOOL m_bSaved;
  CString m_strName;
};

// How a query's run ended.
enum class CvsRun {
  kNoTempFile,  // no temporary file name could be made: the query gives 0
  kFailed,      // cvs.exe failed, or a file could not be written or read
  kRead,        // the output was read
};

// Runs `query` (a "cvs.exe ..." command whose texts are quoted already)
// through a batch file with its output redirected into a temporary file,
// with the null device as standard input, and hands every output line to
// `onLine` until it returns false. Both temporary files are deleted
// before it returns.
CvsRun RunCvsQuery(const CString& query, const std::function<bool(CString& line)>& onLine);
