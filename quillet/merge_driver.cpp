#include "merge_driver.h"

#include <conio.h>

#include <afxwin.h>
#include <tekora/core.h>

#include "check_script.h"
#include "list_entry.h"
#include "program_identity.h"
#include "report_error.h"
#include "script_copy.h"

namespace {

const unsigned int kUnbalancedBraces = 4394;

bool LibraryIsUsable() {
  char commandLine[] = "";
  if (!AfxWinInit(GetModuleHandleA(nullptr), nullptr, commandLine, 0)) return false;
  return PACompareModuleVersion(QUILLET_LIBRARY, QUILLET_LIBRARY_MAJOR, QUILLET_LIBRARY_MINOR,
                                QUILLET_LIBRARY_BUILD, QUILLET_LIBRARY_QFE) == 0;
}

// One entry of the list: checked, reported, and merged when it may be.
void MergeEntry(const char* sourceDir, const CString& listPath, const CString& entry,
                CStdioFile& newScript) {
  CString scriptPath;
  scriptPath.Format("%s\\%s", sourceDir, static_cast<const char*>(entry));
  if (!PACheckPath(scriptPath, 0, 0)) {
    ReportError("Error in %s:\n%s not found", static_cast<const char*>(listPath),
                static_cast<const char*>(scriptPath));
    return;
  }

  const unsigned int code = CheckScript(scriptPath);
  if (code == kUnbalancedBraces) {
    ReportError("Error: file %s contains unmatched comment braces\n", static_cast<const char*>(scriptPath));
  } else if (code != 0) {
    ReportError("Error %08x during preprocessing of %s\n", code, static_cast<const char*>(scriptPath));
    return;
  }

  CStdioFile script;
  if (!script.Open(scriptPath, CFile::modeRead | CFile::shareDenyWrite | kScriptCopyType)) {
    ReportError("Error: cannot open %s", static_cast<const char*>(scriptPath));
    return;
  }
  AppendScript(script, newScript);
  script.Close();
  _cprintf("%s merged\n", static_cast<const char*>(scriptPath));
}

}  // namespace

int RunQuillet(int argc, char** argv) {
  _cprintf("%s - %s %s %s\n", QUILLET_NAME, QUILLET_DESCRIPTION, QUILLET_VERSION, QUILLET_COPYRIGHT);

  if (!LibraryIsUsable()) {
    ReportError("Error: TEKORA.DLL is wrong version\n");
    return kExitWrongLibrary;
  }

  if (argc < 3) {
    CString usage;
    usage.LoadString(IDS_QUILLET_USAGE);
    ReportError(usage, QUILLET_NAME);
    return kExitInvalidParameter;
  }

  const char* sourceDir = argv[1];
  CString listPath;
  if (argc > 3)
    listPath.Format("%s\\%s", sourceDir, argv[3]);
  else
    listPath.Format("%s\\proclist.txt", sourceDir);
  if (!PACheckPath(listPath, 0, 0)) {
    ReportError("Error: %s not found", static_cast<const char*>(listPath));
    return kExitFileNotFound;
  }

  CStdioFile listFile;
  if (!listFile.Open(listPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText)) {
    ReportError("Error: cannot open %s", static_cast<const char*>(listPath));
    return kExitFileNotFound;
  }
  _cprintf("%s opened\n", static_cast<const char*>(listPath));

  // The new script need not exist yet: the check only rewrites its path.
  CString newScriptPath = argv[2];
  PACheckPath(newScriptPath, 0, 0);
  CStdioFile newScript;
  if (!newScript.Open(newScriptPath,
                      CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | kScriptCopyType)) {
    ReportError("Error: cannot create %s", static_cast<const char*>(newScriptPath));
    listFile.Close();
    return kExitFileNotFound;
  }
  _cprintf("%s created\n", static_cast<const char*>(newScriptPath));

  CString entry;
  while (listFile.ReadString(entry)) {
    NormalizeListEntry(entry);
    if (!entry.IsEmpty()) MergeEntry(sourceDir, listPath, entry, newScript);
  }

  listFile.Close();
  newScript.Close();
  _cprintf("\ndone\n");
  return kExitDone;
}
