// The batch files through which the library runs outside programs. Every
// text written into a batch line is quoted by the Windows rules, so that a
// file name with blanks, "&", ";", "|", "%" or quotes stays one argument and
// never becomes a command. The same text runs in cmd.exe on Windows and in
// the platform layer's interpreter elsewhere.
#pragma once

#include <afx.h>

// One argument in double quotes by the Windows runtime's rules (a quote
// becomes \", backslashes before a quote or the closing quote are doubled)
// and with "%" doubled, as a batch line needs it.
CString QuoteBatchArgument(LPCSTR text);

// Option text of a caller ("-b -d today") split into its words by the
// Windows rules, each quoted as above, joined by blanks; "" for no words.
CString QuoteBatchWords(LPCSTR text);

// A command line that runs the batch file: its path in double quotes.
CString BatchCommandLine(LPCSTR batchPath);

// Writes the batch file of a query whose output goes to `outputPath`:
// "@echo off", the line that deletes an old output file, and `query`
// followed by "> output". Throws CFileException when the file cannot be
// written, and when a text holds a line end (it would start a new line).
void WriteQueryBatchFile(LPCSTR batchPath, const CString& query, LPCSTR outputPath);
