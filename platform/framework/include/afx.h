// The application framework's core: CString, CObject and runtime classes,
// the exceptions, CFile / CStdioFile / CFileFind, CTime / CTimeSpan, and the
// numbered string tables. 8-bit characters throughout.
#pragma once

#include <windows.h>
#include <share.h>
#include <stdarg.h>
#include <stddef.h>
#include <stdio.h>

// A place in a list or map, for walking it (see afxcoll.h).
struct __POSITION {};
typedef __POSITION* POSITION;

#include <afx/cstring.h>
#include <afx/object.h>
#include <afx/exceptions.h>
#include <afx/resources.h>
#include <afx/datetime.h>
#include <afx/dump_context.h>
#include <afx/file.h>
#include <afx/stdio_file.h>
#include <afx/file_find.h>
#include <afx/archive.h>
