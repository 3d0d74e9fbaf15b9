// The comment check of one script: do its block-comment braces balance?
#pragma once

#include <stddef.h>
#include <windows.h>

// Check results (Windows system error codes).
const unsigned int kCheckBalanced = 0;
const unsigned int kCheckNoTempFile = ERROR_TOO_MANY_OPEN_FILES;  // 4
const unsigned int kCheckBadUtf16 = ERROR_BAD_FORMAT;             // 11
const unsigned int kCheckCannotRead = ERROR_READ_FAULT;           // 30
const unsigned int kCheckUnbalanced = 0x112A;                     // 4394

// Scans the script and returns kCheckBalanced when its comment openers and
// closers (outside quoted literals and line comments) balance, and
// kCheckUnbalanced when they do not. A UTF-16 script (byte-order mark FF FE or
// FE FF) is first converted to a temporary 8-bit copy, which is scanned
// instead. Other results: kCheckNoTempFile when no temporary file could be
// made, kCheckCannotRead when the script (or its copy) cannot be opened, and
// the conversion's codes (ConvertUtf16Script). The script is left unchanged;
// the temporary files (prefix "VXK" in the temporary folder) are deleted
// before the check returns, and also when the scanner stops the process on a
// token too long for its buffer (exit code 1).
unsigned int CheckScript(const char* scriptPath);

// The same check of a script already in memory (not UTF-16): its `length`
// bytes as the file holds them, scanned as a text-mode stream reads them.
// The same results, the same temporary file reserved for the length of the
// check and the same fatal stop.
unsigned int CheckScriptBytes(const char* bytes, size_t length);

// Whether the file begins with a UTF-16 byte-order mark. A file that cannot
// be opened or is shorter than two bytes is not UTF-16.
bool IsUtf16Script(const char* path);

// Writes the 8-bit form of the UTF-16 file `source` into `target` (created or
// truncated): the low-order byte of every 16-bit unit, in the byte order the
// source's mark names; the mark itself is not written and a final odd byte is
// dropped. Works in chunks of 16384 bytes. Returns 0, kCheckBadUtf16 when the
// source does not begin with a mark, or the system error code of a failure
// to open, read or write (for example 2 for a missing source, 32 for a
// sharing violation).
DWORD ConvertUtf16Script(const char* source, const char* target);
