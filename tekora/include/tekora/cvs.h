// Source control queries: what CVS knows about one file of a working copy,
// asked through the command-line client "cvs.exe" (found along PATH) and
// the working copy's "cvs\entries" file. Every query but the two path-part
// functions changes the working directory into the file's directory while
// it runs and changes it back before it returns; the output and batch files
// it makes in the temporary folder are deleted before it returns.
#pragma once

#include <afx.h>

extern "C" {

// The file name and extension of a path (the path cut to 260 characters
// first): "c:\src\app\main.cpp" gives "main.cpp". Always 1.
int PAGetFileName(CString& name, LPCSTR path);

// The drive and directory of a path, with its trailing backslash:
// "c:\src\app\main.cpp" gives "c:\src\app\", a bare name "". Always 1.
int PAGetFileDir(CString& dir, LPCSTR path);

// The revision the working copy's "cvs\entries" file records for the file
// (the path is taken in lower case and must lie below the project home,
// PHOME). 1 when a line holds "/name/": `revision` (if not null) gets its
// third "/"-separated field; 0, with `revision` untouched, when there is no
// such line, the entries file cannot be read, or the path is unusable.
int PACvsEntryRevision(LPCSTR path, CString* revision);

// The sticky tag and working revision that "cvs status" prints for the file
// (the path is taken in lower case and must lie below PHOME). A tag of
// "(none)" gives an empty tag. 1 when the query ran, also when cvs.exe
// failed (then both outputs are empty); 0 when the file is missing, its
// directory or PHOME cannot be used, the file lies outside PHOME, or no
// temporary file can be made.
int PACvsStatus(LPCSTR path, CString& stickyTag, CString& workingRevision);

// The newest revision that "cvs log <options> <argument> -N" prints for the
// file, as a "-r" option: "revision 1.12" gives "-r1.12". The options and
// the argument are split into words, each passed as one argument. 1 when
// the query ran (the revision stays empty when cvs.exe failed or printed
// no revision); 0 when the file is missing, its directory cannot be
// entered, or no temporary file can be made.
int PACvsLatestRevision(LPCSTR path, LPCSTR options, LPCSTR argument, CString& revisionOption);

// The author that "cvs log -r<revision> -N" prints for the revision of the
// file ("author: jdoe;" gives "jdoe"). Results as PACvsLatestRevision.
int PACvsRevisionAuthor(LPCSTR path, LPCSTR revision, CString& author);

}  // extern "C"
