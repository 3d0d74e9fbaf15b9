#include "merge_driver.h"

#include <conio.h>

#include <algorithm>
#include <vector>

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

// The largest script that is checked and copied from one read in memory.
const size_t kOneReadLimit = 4 * 1024 * 1024;

// Reports the check's result; true when the script is to be merged.
bool ReportCheck(unsigned int code, const CString& scriptPath) {
  if (code == kUnbalancedBraces) {
    ReportError("Error: file %s contains unmatched comment braces\n", static_cast<const char*>(scriptPath));
  } else if (code != 0) {
    ReportError("Error %08x during preprocessing of %s\n", code, static_cast<const char*>(scriptPath));
    return false;
  }
  return true;
}

// Checks and merges a script from a single read of it: the way for a script
// of at most kOneReadLimit bytes, not UTF-16, where the copy is binary. It
// opens the script as the copy does; the check reads what the file held
// when it was opened, as does the copy. False, with nothing reported or
// written, when the script is not for this way.
// `bytes` is the memory of this way, kept from script to script.
bool MergeFromOneRead(const CString& scriptPath, std::vector<char>& bytes, CStdioFile& newScript) {
  if (kScriptCopyType != CFile::typeBinary) return false;
  CStdioFile script;
  if (!script.Open(scriptPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return false;
  // The buffer grows with the scripts, up to one byte more than the limit
  // (so that a larger script shows itself).
  size_t length = 0;
  try {
    for (;;) {
      if (length == bytes.size()) {
        if (bytes.size() > kOneReadLimit) break;
        bytes.resize(std::min(std::max<size_t>(2 * bytes.size(), 64 * 1024), kOneReadLimit + 1));
      }
      const UINT wanted = static_cast<UINT>(bytes.size() - length);
      const UINT count = script.Read(bytes.data() + length, wanted);
      length += count;
      if (count < wanted) break;  // the end of the file (a stream reads short only there)
    }
  } catch (CException* e) {
    e->Delete();
    length = kOneReadLimit + 1;  // a read error: the two-read way reports it as it always has
  }
  const bool utf16 = length >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
  if (length > kOneReadLimit || utf16) {
    script.Close();
    return false;
  }
  if (ReportCheck(CheckScriptBytes(bytes.data(), length), scriptPath)) {
    AppendScriptBytes(bytes.data(), length, newScript);
    _cprintf("%s merged\n", static_cast<const char*>(scriptPath));
  }
  script.Close();
  return true;
}

// One entry of the list: checked, reported, and merged when it may be.
void MergeEntry(const char* sourceDir, const CString& listPath, const CString& entry,
                std::vector<char>& scriptBytes, CStdioFile& newScript) {
  CString scriptPath;
  scriptPath.Format("%s\\%s", sourceDir, static_cast<const char*>(entry));
  if (!PACheckPath(scriptPath, 0, 0)) {
    ReportError("Error in %s:\n%s not found", static_cast<const char*>(listPath),
                static_cast<const char*>(scriptPath));
    return;
  }

  if (MergeFromOneRead(scriptPath, scriptBytes, newScript)) return;

  if (!ReportCheck(CheckScript(scriptPath), scriptPath)) return;

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
  std::vector<char> scriptBytes;
  while (listFile.ReadString(entry)) {
    NormalizeListEntry(entry);
    if (!entry.IsEmpty()) MergeEntry(sourceDir, listPath, entry, scriptBytes, newScript);
  }

  listFile.Close();
  newScript.Close();
  _cprintf("\ndone\n");
  return kExitDone;
}
