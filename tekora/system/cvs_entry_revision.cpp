// PACvsEntryRevision: a file's revision in the working copy's entries file.
#include <afxwin.h>

#include <tekora/cvs.h>

#include "cvs_query.h"

int PACvsEntryRevision(LPCSTR path, CString* revision) {
  CvsQueryDirectory directory;
  if (!directory.Enter(path, TRUE)) return 0;
  CString pattern;
  pattern.Format("/%s/", directory.GetName().GetString());
  pattern.MakeLower();
  try {
    CStdioFile entries("cvs\\entries", CFile::modeRead | CFile::shareDenyWrite | CFile::typeText);
    CString line;
    while (entries.ReadString(line)) {
      line.Trim();
      line.MakeLower();
      if (line.Find(pattern) < 0) continue;
      if (revision) AfxExtractSubString(*revision, line, 2, '/');
      return 1;
    }
  } catch (CException* e) {
    e->Delete();
  }
  return 0;
}
