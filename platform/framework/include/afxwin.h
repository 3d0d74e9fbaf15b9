// The framework's application-level helpers on top of afx.h and afxcoll.h:
// message boxes, start-up, and splitting strings.
#pragma once

#include <afx.h>
#include <afxcoll.h>

// Shows a modal message box with the running program's name (its file name
// without the extension) as caption. Result: the button chosen (IDOK ...).
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The same with a numbered text from the string tables as message.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Prepares the framework for a program; nothing needs preparing, so TRUE.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

// Copies the iSubString-th (0-based) piece of lpszFullString, the pieces
// being separated by chSep, into rString. FALSE (rString empty) when there
// are fewer pieces; FALSE (rString unchanged) for a NULL string.
BOOL AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep = '\n');

// The running program's module handle, which is also where its resources are.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
