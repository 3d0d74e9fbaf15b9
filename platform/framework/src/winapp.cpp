// Application-level helpers: message boxes, start-up, string splitting.
#include <afxwin.h>

#include <string.h>

namespace {

// The running program's file name without folder and extension, the
// caption of its message boxes.
CString ProgramName() {
  char path[MAX_PATH + 1];
  DWORD n = GetModuleFileNameA(NULL, path, sizeof path);
  if (n == 0 || n >= sizeof path) return CString();
  CString name(path, static_cast<int>(n));
  int slash = -1;
  for (int i = 0; i < name.GetLength(); ++i) {
    if (name[i] == '\\' || name[i] == '/') slash = i;
  }
  if (slash >= 0) name = name.Mid(slash + 1);
  int dot = name.ReverseFind('.');
  if (dot > 0) name = name.Left(dot);
  return name;
}

}  // namespace

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp) {
  (void)nIDHelp;  // there is no help system to connect
  CString caption = ProgramName();
  return MessageBoxA(NULL, lpszText != NULL ? lpszText : "", caption, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString text;
  if (!text.LoadString(nIDPrompt)) text.Format("Message %u", nIDPrompt);
  return AfxMessageBox(text, nType, nIDHelp);
}

BOOL AfxWinInit(HINSTANCE, HINSTANCE, LPSTR, int) { return TRUE; }

BOOL AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep) {
  if (lpszFullString == NULL) return FALSE;
  if (iSubString < 0 || (chSep == '\0' && iSubString > 0)) {
    // A NUL separator would match the terminator: the whole text is the
    // only piece.
    rString.Empty();
    return FALSE;
  }
  while (iSubString-- > 0) {
    lpszFullString = strchr(lpszFullString, chSep);
    if (lpszFullString == NULL) {
      rString.Empty();
      return FALSE;
    }
    ++lpszFullString;
  }
  LPCSTR lpchEnd = chSep == '\0' ? NULL : strchr(lpszFullString, chSep);
  int nLen = lpchEnd == NULL ? static_cast<int>(strlen(lpszFullString)) : static_cast<int>(lpchEnd - lpszFullString);
  rString = CString(lpszFullString, nLen);
  return TRUE;
}

HINSTANCE AfxGetInstanceHandle() { return GetModuleHandleA(NULL); }

HINSTANCE AfxGetResourceHandle() { return GetModuleHandleA(NULL); }
