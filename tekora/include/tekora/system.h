// Process and file helpers.
#pragma once

#include <afx.h>

extern "C" {

// Runs a command line as a child process (the program is found as Windows
// finds it) and waits for it at most `timeout` milliseconds (INFINITE: no
// limit); a child still running then is ended with exit code 258. Result:
// the child's exit code; 87 for a null or empty command line; the error of
// starting it (2 when the program does not exist); 259 when the exit code of
// an ended child could not be read yet. The child shares the console and
// inherits no handles.
unsigned int PARunProcess(LPSTR commandLine, unsigned int timeout);

// A uniform random number from 0 to n - 1, drawn from the runtime's rand()
// (seeded when the library loads) without the bias of a plain modulo.
// 0 for a bound below 1 or above 32767.
int PARandom(int n);

// Makes the path absolute (against the working directory) and lower case, in
// place. 1 on success; 0 when it cannot be made absolute within 260
// characters, and the path is then unchanged.
int PAFullPath(CString& path);

// 1 when a file or directory matches the path, which may hold the wildcards
// "*" and "?"; `size` (if not null) then receives the low 32 bits of the first
// match's length (0 for a directory). 0 when nothing matches, and for a null
// or empty path.
int PAFileExists(LPCSTR path, unsigned int* size);

// 0 when the configuration file exists (`size`, if not null, receives its
// size), 1 when it does not. A file shorter than 52 bytes cannot be a valid
// configuration file: the call then shows the modal error box
// "Configuration file <path> seems to be corrupt!" and still returns 0.
int PACheckConfigFile(LPCSTR path, unsigned int* size);

// 1 when the process could change into the directory, else 0. The working
// directory is changed for a moment and always changed back.
int PACanEnterDirectory(LPCSTR path);

// The file name with its extension of a path ("c:\src\app\main.cpp" gives
// "main.cpp"; a path without folder comes back as it is). Only the first 260
// characters of the path count. Always 1.
int PAGetFileName(CString& out, LPCSTR path);

// The drive and folder of a path, with the folder's trailing "\"
// ("c:\src\app\main.cpp" gives "c:\src\app\"; a bare file name gives the
// empty text). Only the first 260 characters of the path count. Always 1.
int PAGetFileDir(CString& out, LPCSTR path);

}  // extern "C"
