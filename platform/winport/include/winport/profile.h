// Private profile files: reading and writing one key of an INI section in a
// named file, with the Windows rules. The file is read anew by every call.
//
// What the calls see in a file: a line "[name]" (after blanks; text after the
// "]" ignored) opens a section; a line "key=value" inside a section is a key;
// blank lines and lines starting with ";" are neither. Section and key names
// are compared without regard to case (ASCII letters) and with the blanks
// around them ignored; the first section of a name is the one that counts,
// and within it the first key of a name. Lines end with CR LF or LF.
//
// A file name without a folder ("app.ini") names a file in the Windows
// directory (GetWindowsDirectoryA); NULL names "win.ini" there.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

// The value of a key with the blanks around it removed and one pair of
// enclosing quotes (" or ') taken off, cut to nSize - 1 characters and
// terminated; when the file, the section or the key is missing (or the key
// has no "="), lpDefault (NULL: "") without its trailing blanks. Result:
// the characters copied, terminator not counted; 0 when nSize is 0.
// With lpKeyName NULL: the names of the section's keys, with lpAppName NULL:
// the names of all sections, each followed by a zero and the list by one
// more; a list that does not fit is cut, ends in two zeros, and the result
// is nSize - 2. Last error: ERROR_FILE_NOT_FOUND when the file, section or
// key is missing, else 0.
DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                                      DWORD nSize, LPCSTR lpFileName);

// The value of a key as a number: blanks skipped, an optional sign, then
// decimal digits (or "0x" hexadecimal, "0o" octal, "0b" binary digits) up to
// the first other character; no digits give 0, and the number wraps around
// at 32 bits. Only the first 29 characters of the value count. nDefault
// when the key is missing or empty. A negative value comes back as its
// two's complement (cast the result to int).
UINT WINAPI GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName);

// Sets a key to a value (blanks at its start dropped): an existing key's
// line becomes "key=value" in place (the key keeps its spelling; nothing is
// written when the value is the same), a new key goes after the last line
// of its section, a new section with its key at the end of the file, and a
// missing file is created. lpString NULL deletes the key's line, lpKeyName
// NULL the whole section. Every other byte of the file stays as it was (CR
// LF or LF line ends, a missing final line end), and an existing file is
// replaced only once its new content is completely written. FALSE with the
// last error set when the file cannot be read or written (a read-only file:
// ERROR_ACCESS_DENIED; another open that denies writing:
// ERROR_SHARING_VIOLATION), when lpAppName is NULL (ERROR_FILE_NOT_FOUND),
// or when a name or the value holds a line break (ERROR_INVALID_PARAMETER:
// it would add lines the caller did not ask for).
BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName);

#define GetPrivateProfileString GetPrivateProfileStringA
#define GetPrivateProfileInt GetPrivateProfileIntA
#define WritePrivateProfileString WritePrivateProfileStringA

#ifdef __cplusplus
}
#endif
