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

// The bytes of `in` with a CR put before every LF that has none; `*previous`
// is the byte before `in` (the last byte of the previous block, '\0' before
// the first) and becomes the last byte of `in`. `out` holds 2 * length bytes;
// returns the number written.
size_t AddMissingCarriageReturns(const char* in, size_t length, char* out, char* previous);

// AppendScript for a binary script already in memory: its `length` bytes
// as the file holds them. `loneLineFeeds` tells whether some LF has no CR
// before it (DropLineEndCarriageReturns finds out); without one the bytes
// are written as they stand, in one piece.
void AppendScriptBytes(const char* bytes, size_t length, bool loneLineFeeds, CStdioFile& newScript);

// The text of the `length` bytes at `in` as a text-mode stream reads it: the
// CR of every CR LF is dropped. `out` holds `length` bytes (it may be `in`);
// returns the number written. `*loneLineFeeds` becomes true when some LF has
// no CR before it, else false.
size_t DropLineEndCarriageReturns(const char* in, size_t length, char* out, bool* loneLineFeeds);
