// PAShowDocument: hand a document and its data to the suite's viewer.
#include <io.h>
#include <stdio.h>
#include <string.h>

#include <tekora/build_server.h>
#include <tekora/core.h>
#include <tekora/documents.h>
#include <tekora/system.h>

#include "../string_ids.h"
#include "project_home.h"

namespace {

// The viewer's file name; it lies beside the running program.
const char kViewer[] = "docview.exe";
// How long the viewer may take, in milliseconds.
const unsigned int kViewerTimeout = 30000;

// The document's address on the build server's web share: the project home
// replaced by "http://<server>/projects/", backslashes turned into slashes.
CString WebAddress(const CString& document) {
  CString address(document), home;
  if (GetProjectHome(home)) {
    CString site;
    site.Format("http://%s/projects/", PA_BUILD_SERVER_NAME);
    address.Replace(home, site);
  }
  PAToForwardSlashes(address);
  return address;
}

// Copies the document into `copy`: an RTF document line by line, an HTML
// document wrapped into RTF with its base-link marker line replaced.
// Throws the framework's exceptions.
void CopyDocument(const CString& document, const CString& copy) {
  CStdioFile input(document, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText);
  CStdioFile output(copy, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeText);
  char start[7] = "";
  UINT got = input.Read(start, 6);
  start[got] = '\0';
  input.Seek(0, CFile::begin);
  const BOOL html = strcmp(start, "{\\rtf1") != 0;
  CString marker, baseLink;
  if (html) {
    output.WriteString("{\\fromhtml1\n");
    marker.LoadString(IDS_PA_BASE_LINK_MARKER);
    baseLink.Format(IDS_PA_BASE_LINK, WebAddress(document).GetString());
  }
  CString line;
  while (input.ReadString(line)) {
    output.WriteString(html && line.Find(marker) >= 0 ? baseLink : line);
    output.WriteString("\n");
  }
  if (html) output.WriteString("\n}\n");
  output.Close();
  input.Close();
}

// The map's values joined by ";", in the map's order.
CString JoinValues(const CMapStringToString& values) {
  CString joined, key, value;
  POSITION position = values.GetStartPosition();
  while (position != NULL) {
    values.GetNextAssoc(position, key, value);
    joined += value;
    if (position != NULL) joined += ';';
  }
  return joined;
}

BOOL WriteArgumentFile(const CString& path, const CString& valuesText, LPCSTR text, const CString& copy,
                       const CStringArray* list) {
  try {
    CStdioFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeText);
    CString count;
    count.Format("%d\n", list ? static_cast<int>(list->GetSize()) : 0);
    file.WriteString(valuesText + "\n" + (text ? text : "") + "\n" + copy + "\n" + count);
    for (INT_PTR i = 0; list && i < list->GetSize(); ++i) file.WriteString(list->GetAt(i) + "\n");
    file.Close();
    return TRUE;
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  }
}

CString ViewerPath() {
  char program[MAX_PATH];
  DWORD length = GetModuleFileNameA(NULL, program, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return CString();
  CString folder;
  PAGetFileDir(folder, program);
  if (!PANormalizeDirectory(folder)) return CString();
  return folder + kViewer;
}

}  // namespace

int PAShowDocument(LPCSTR document, CMapStringToString& values, LPCSTR text, CStringArray* list) {
  CString copy;
  if (document && *document) {
    CString path(document);
    if (!PACheckPath(path, 0, 0) || !PAGetTempFileName(copy, NULL)) return 0;
    try {
      CopyDocument(path, copy);
    } catch (CException* e) {
      char message[MAX_PATH] = "";
      e->GetErrorMessage(message, MAX_PATH);
      e->Delete();
      printf("Error: %s\n", message);
      _unlink(copy);
      return 0;
    }
  }
  const CString viewer = ViewerPath();
  CString arguments;
  if (viewer.IsEmpty() || !PAGetTempFileName(arguments, NULL) ||
      !WriteArgumentFile(arguments, JoinValues(values), text, copy, list)) {
    if (!arguments.IsEmpty()) _unlink(arguments);
    if (!copy.IsEmpty()) _unlink(copy);
    return 0;
  }
  CString commandLine;
  commandLine.Format("\"%s\" \"%s\"", viewer.GetString(), arguments.GetString());
  unsigned int exitCode = PARunProcess(commandLine.GetBuffer(), kViewerTimeout);
  _unlink(arguments);
  if (!copy.IsEmpty()) _unlink(copy);
  return exitCode == 0 ? 1 : 0;
}
