#include "check_script.h"

#include <stdio.h>

#include <new>

#include <afx.h>

#include "qpxlex.h"

namespace {

const DWORD kConversionChunk = 16384;

bool IsByteOrderMark(const unsigned char mark[2]) {
  return (mark[0] == 0xFF && mark[1] == 0xFE) || (mark[0] == 0xFE && mark[1] == 0xFF);
}

// The last error, never 0 for a call that failed.
DWORD FailureCode(DWORD fallback) {
  const DWORD code = GetLastError();
  return code != 0 ? code : fallback;
}

// Creates an empty file with a unique name and the prefix "VXK" in the
// temporary folder; its path goes to `path`. False when that fails.
bool MakeTempFile(char (&path)[MAX_PATH]) {
  char folder[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH) return false;
  return GetTempFileNameA(folder, "VXK", 0, path) != 0;
}

// What a fatal stop of the scanner has to close and remove.
struct ScanFiles {
  FILE* stream;              // the stream scanned, or null for a script in memory
  const char* copyPath;      // the converted copy, or empty
  const char* reservedPath;  // the reserved empty file
};

void RemoveScanFiles(void* context) {
  ScanFiles* files = static_cast<ScanFiles*>(context);
  if (files->stream) fclose(files->stream);
  if (files->copyPath[0]) DeleteFileA(files->copyPath);
  DeleteFileA(files->reservedPath);
}

// Scans the stream of `files`, or else the `length` bytes at `bytes`.
// The result is the check's code.
unsigned int Scan(ScanFiles& files, const char* bytes, size_t length) {
  YYLexer::SetFatalCleanup(&RemoveScanFiles, &files);
  QPXlex* lexer = nullptr;
  try {
    lexer = files.stream ? new QPXlex(files.stream) : new QPXlex(bytes, length);
  } catch (CException* e) {
    e->Delete();
  } catch (const std::bad_alloc&) {
  }
  unsigned int result = ERROR_NOT_ENOUGH_MEMORY;
  if (lexer) {
    // A failure inside the scan ends it; the depth reached so far counts.
    try {
      lexer->yylex();
    } catch (CException* e) {
      e->Delete();
    } catch (const std::bad_alloc&) {
    }
    result = lexer->GetDepth() != 0 ? kCheckUnbalanced : kCheckBalanced;
    delete lexer;
  }
  YYLexer::SetFatalCleanup(nullptr, nullptr);
  return result;
}

// Scans the file in text mode. The result is the check's code.
unsigned int ScanFile(const char* path, const char* copyPath, const char* reservedPath) {
  FILE* stream = fopen(path, "rt");
  if (!stream) return kCheckCannotRead;
  ScanFiles files = {stream, copyPath, reservedPath};
  const unsigned int result = Scan(files, nullptr, 0);
  fclose(stream);
  return result;
}

}  // namespace

bool IsUtf16Script(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  unsigned char mark[2];
  DWORD got = 0;
  const BOOL read = ReadFile(file, mark, sizeof mark, &got, nullptr);
  CloseHandle(file);
  return read && got == sizeof mark && IsByteOrderMark(mark);
}

DWORD ConvertUtf16Script(const char* source, const char* target) {
  HANDLE in = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (in == INVALID_HANDLE_VALUE) return FailureCode(ERROR_FILE_NOT_FOUND);

  unsigned char mark[2];
  DWORD got = 0;
  if (!ReadFile(in, mark, sizeof mark, &got, nullptr) || got != sizeof mark || !IsByteOrderMark(mark)) {
    CloseHandle(in);
    return kCheckBadUtf16;
  }
  // FF FE: little-endian, the low-order byte comes first in each pair.
  const DWORD low = mark[0] == 0xFF ? 0 : 1;

  HANDLE out = CreateFileA(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) {
    const DWORD code = FailureCode(ERROR_ACCESS_DENIED);
    CloseHandle(in);
    return code;
  }

  // One byte of a pair may be left over from a short read; it waits at the
  // front of `units` for its partner. A last odd byte is dropped.
  unsigned char units[kConversionChunk + 1];
  unsigned char bytes[kConversionChunk / 2 + 1];
  DWORD carried = 0;
  DWORD code = 0;
  for (;;) {
    if (!ReadFile(in, units + carried, kConversionChunk, &got, nullptr)) {
      code = FailureCode(ERROR_READ_FAULT);
      break;
    }
    if (got == 0) break;
    const DWORD total = carried + got;
    const DWORD pairs = total / 2;
    for (DWORD i = 0; i < pairs; ++i) bytes[i] = units[2 * i + low];
    carried = total % 2;
    if (carried) units[0] = units[total - 1];
    DWORD written = 0;
    if (pairs > 0 && (!WriteFile(out, bytes, pairs, &written, nullptr) || written != pairs)) {
      code = FailureCode(ERROR_WRITE_FAULT);
      break;
    }
  }
  if (!CloseHandle(out) && code == 0) code = FailureCode(ERROR_WRITE_FAULT);
  CloseHandle(in);
  return code;
}

unsigned int CheckScript(const char* scriptPath) {
  char copyPath[MAX_PATH] = "";
  const char* scanPath = scriptPath;
  if (IsUtf16Script(scriptPath)) {
    if (!MakeTempFile(copyPath)) return kCheckNoTempFile;
    const DWORD code = ConvertUtf16Script(scriptPath, copyPath);
    if (code != 0) {
      DeleteFileA(copyPath);
      return code;
    }
    scanPath = copyPath;
  }

  // A second temporary file is reserved for the length of the check; it
  // stays empty.
  char reservedPath[MAX_PATH];
  if (!MakeTempFile(reservedPath)) {
    if (copyPath[0]) DeleteFileA(copyPath);
    return kCheckNoTempFile;
  }

  const unsigned int result = ScanFile(scanPath, copyPath, reservedPath);
  if (copyPath[0]) DeleteFileA(copyPath);
  DeleteFileA(reservedPath);
  return result;
}

unsigned int CheckScriptBytes(const char* bytes, size_t length) {
  char reservedPath[MAX_PATH];
  if (!MakeTempFile(reservedPath)) return kCheckNoTempFile;
  ScanFiles files = {nullptr, "", reservedPath};
  const unsigned int result = Scan(files, bytes, length);
  DeleteFileA(reservedPath);
  return result;
}
