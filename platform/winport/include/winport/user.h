// The message box and the console title.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ABORTRETRYIGNORE 0x00000002u
#define MB_YESNOCANCEL 0x00000003u
#define MB_YESNO 0x00000004u
#define MB_RETRYCANCEL 0x00000005u
#define MB_CANCELTRYCONTINUE 0x00000006u
#define MB_TYPEMASK 0x0000000Fu

#define MB_ICONHAND 0x00000010u
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONASTERISK 0x00000040u
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONMASK 0x000000F0u

#define MB_DEFBUTTON1 0x00000000u
#define MB_DEFBUTTON2 0x00000100u
#define MB_DEFBUTTON3 0x00000200u
#define MB_DEFMASK 0x00000F00u

#define MB_APPLMODAL 0x00000000u
#define MB_SYSTEMMODAL 0x00001000u
#define MB_TASKMODAL 0x00002000u
#define MB_SETFOREGROUND 0x00010000u
#define MB_TOPMOST 0x00040000u

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDTRYAGAIN 10
#define IDCONTINUE 11

// A modal message box on the controlling terminal: the caption, the text and
// a prompt for the box's buttons, then it waits for an answer line (Enter
// alone takes the default button). Result: the button chosen (IDOK for an OK
// box). Without a terminal nothing is shown and the default button is the
// result (IDOK for an OK box).
int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);

// Sets the console title with the terminal's title sequence; without a
// terminal it does nothing and succeeds.
BOOL WINAPI SetConsoleTitleA(LPCSTR lpConsoleTitle);
// The title last set with SetConsoleTitleA in this process ("" before the
// first), cut to nSize - 1 characters. Result: the title's full length.
DWORD WINAPI GetConsoleTitleA(LPSTR lpConsoleTitle, DWORD nSize);

#define MessageBox MessageBoxA
#define SetConsoleTitle SetConsoleTitleA
#define GetConsoleTitle GetConsoleTitleA

#ifdef __cplusplus
}
#endif
