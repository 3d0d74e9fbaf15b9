// The copy of one script into the new script. Both files are text: CR LF and
// LF alone end a line, every line end of the new script is CR LF, and every
// other byte passes as it stands. On Windows the runtime's text mode
// translates; elsewhere the files are opened in binary and the copy writes
// what it reads, adding the CR only to an LF that has none, so the text
// crosses no translation on the way.
#pragma once

#include <stddef.h>

#include <afx.h>

// The type flag (CFile::typeText or CFile::typeBinary) with which the script
// and the new script are opened for the copy.
extern const UINT kScriptCopyType;

// Appends the text of `script` (opened with kScriptCopyType) to `newScript`
// (opened so too): every line with its line end (a last line without one gets
// one), then one empty line. Copies in blocks, so a line of any length is
// merged byte for byte. Throws CFileException when a read or write fails.
void AppendScript(CStdioFile& script, CStdioFile& newScript);

// Writes the `length` bytes at `data` to `newScript` with a CR put before
// every LF that has none, in as few pieces as the lone LFs allow. `*previous`
// is the byte before `data` (the last byte of the previous block, '\0'
// before the first) and becomes the last byte of `data`.
void WriteWithCarriageReturns(const char* data, size_t length, char* previous, CStdioFile& newScript);

// AppendScript for a binary script already in memory: its `length` bytes
// as the file holds them.
void AppendScriptBytes(const char* bytes, size_t length, CStdioFile& newScript);
