// PAReadSectionToMap: one section of an INI-style text file into a map.
#include <tekora/core.h>
#include <tekora/documents.h>

int PAReadSectionToMap(LPCSTR file, LPCSTR section, CMapStringToString& map) {
  if (!file || !*file) return 0;
  CString path(file);
  if (!PACheckPath(path, 0, 0)) return 0;
  CString header;
  header.Format("[%s]", section ? section : "");
  try {
    CStdioFile input;
    if (!input.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText)) return 0;
    CString line;
    BOOL found = FALSE;
    while (!found && input.ReadString(line)) found = line.CompareNoCase(header) == 0;
    if (!found) return 0;
    while (input.ReadString(line) && line.FindOneOf("[]") < 0) {
      line.TrimRight();
      int equals = line.Find('=');
      if (equals < 0) continue;
      CString key = line.Left(equals), existing;
      if (!map.Lookup(key, existing)) map.SetAt(key, line.Mid(equals + 1));
    }
    return 1;
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}
