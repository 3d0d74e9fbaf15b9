#include "cvs_query.h"

#include <direct.h>
#include <io.h>
#include <string.h>

#include <tekora/core.h>
#include <tekora/cvs.h>
#include <tekora/system.h>

#include "batch_file.h"
#include "run_process.h"

namespace {

// The project home: "%PHOME%" expanded, lower case, made an absolute
// directory with a trailing backslash. FALSE when PHOME is unset or cannot
// be entered. The working directory is the caller's again afterwards.
BOOL ProjectHome(CString& home) {
  char expanded[2600];
  DWORD length = ExpandEnvironmentStringsA("%PHOME%", expanded, sizeof expanded);
  if (length == 0 || length > sizeof expanded || strcmp(expanded, "%PHOME%") == 0 || !*expanded) return FALSE;
  home = expanded;
  home.MakeLower();
  char saved[MAX_PATH];
  const BOOL haveSaved = _getcwd(saved, MAX_PATH) != NULL;
  const BOOL entered = PACheckPath(home, 1, 0);
  if (haveSaved) _chdir(saved);
  return entered;
}

}  // namespace

CvsQueryDirectory::CvsQueryDirectory() : m_bSaved(FALSE) { m_szSavedDir[0] = '\0'; }

CvsQueryDirectory::~CvsQueryDirectory() {
  if (m_bSaved) _chdir(m_szSavedDir);
}

BOOL CvsQueryDirectory::Enter(LPCSTR path, BOOL bWithinHome) {
  CString file(path ? path : "");
  if (bWithinHome) file.MakeLower();
  if (file.IsEmpty() || !PAFileExists(file, NULL)) return FALSE;
  CString dir;
  PAGetFileName(m_strName, file);
  PAGetFileDir(dir, file);
  m_bSaved = _getcwd(m_szSavedDir, MAX_PATH) != NULL;
  CString home;
  if (bWithinHome && !ProjectHome(home)) return FALSE;
  if (!PACheckPath(dir, 1, 0)) return FALSE;
  return !bWithinHome || file.Find(home) == 0;
}

CvsRun RunCvsQuery(const CString& query, const std::function<bool(CString& line)>& onLine) {
  CString output;
  if (!PAGetTempFileName(output, NULL)) return CvsRun::kNoTempFile;
  const CString batch = output + ".bat";
  CvsRun result = CvsRun::kFailed;
  try {
    WriteQueryBatchFile(batch, query, output);
    CString commandLine = BatchCommandLine(batch);
    if (RunChildProcess(commandLine.GetBuffer(), INFINITE, ChildInput::kNullDevice) == 0) {
      CStdioFile file(output, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText);
      CString line;
      while (file.ReadString(line) && onLine(line)) {
      }
      file.Close();
      result = CvsRun::kRead;
    }
  } catch (CException* e) {
    e->Delete();
  }
  _unlink(output);
  _unlink(batch);
  return result;
}
