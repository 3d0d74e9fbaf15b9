// Server paths, section maps and document display, for the suite's
// documentation and cross-reference tools. None of them changes the working
// directory.
#pragma once

#include <afx.h>
#include <afxcoll.h>

extern "C" {

// Maps a local path under the SDK directory (environment variable "MSSdk")
// or the VC98 directory ("VC98") onto the build server's share:
// "\\BUILDSRV\Microsoft SDK\<rest>" or "\\BUILDSRV\VC98\<rest>" (the rest
// unchanged, so a variable without a trailing backslash doubles it). The
// variables are lower-cased, the path compared as it is; an unset or empty
// variable never matches. 0, with the path unchanged, when neither matches;
// else the path is rewritten and the result is 1, or, when `iniFile` is
// given, that of recording "key=new path" in its section "XREF" (through
// the shared profile cache).
int PAMapToServerPath(LPCSTR key, CString& path, LPCSTR iniFile);

// Adds the "key=value" lines of the section to the map: the section starts
// at the line "[section]" (any case, not trimmed) and ends at the file's
// end or the first line holding "[" or "]". Trailing white space is cut;
// lines without "=" are skipped; a key already in the map (the caller's, or
// an earlier line's) keeps its value. 1 when the section was found; 0 for an
// empty or missing file, a missing section, or a read error (what was added
// before it stays).
int PAReadSectionToMap(LPCSTR file, LPCSTR section, CMapStringToString& map);

// Shows a document with the suite's viewer, "docview.exe" in the running
// program's directory: an RTF document is passed as a copy, an HTML one
// wrapped into RTF ("{\fromhtml1" ... "}") with its base-link marker line
// replaced by a link to the document on the build server. The viewer gets an
// argument file: the map's values joined by ";", `text`, the copy's path
// (empty without a document), the number of list entries, then the entries.
// Waits at most 30 seconds for the viewer (then ends it). Both temporary
// files are deleted before it returns. 1 when the viewer ended with exit
// code 0; else 0 (a missing document, a temporary file that cannot be made,
// a viewer that fails, is missing or runs too long). A file error while
// copying the document prints "Error: <message>" on standard output.
int PAShowDocument(LPCSTR document, CMapStringToString& values, LPCSTR text, CStringArray* list);

}  // extern "C"
