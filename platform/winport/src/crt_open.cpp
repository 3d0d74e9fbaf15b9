// fopen and _fsopen of the C runtime with the Windows rules: Windows paths,
// text mode unless "b" is given, and share modes.
#include <errno.h>
#include <share.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "file_open.h"
#include "text_stream.h"

namespace {

struct ParsedMode {
  bool ok = false;
  char kind = 'r';  // 'r', 'w' or 'a'
  bool update = false;
  bool binary = false;
  bool exclusive = false;
};

// The Windows runtime's mode letters: "r", "w" or "a", then any of "+",
// "t"/"b", the commit and caching hints it accepts, and "x" (with "w").
ParsedMode ParseMode(const char* mode) {
  ParsedMode parsed;
  if (!mode || (mode[0] != 'r' && mode[0] != 'w' && mode[0] != 'a')) return parsed;
  parsed.kind = mode[0];
  bool sawPlus = false, sawType = false;
  for (const char* p = mode + 1; *p; ++p) {
    switch (*p) {
      case '+':
        if (sawPlus) return parsed;
        sawPlus = parsed.update = true;
        break;
      case 't':
      case 'b':
        if (sawType) return parsed;
        sawType = true;
        parsed.binary = *p == 'b';
        break;
      case 'x':
        if (parsed.kind != 'w') return parsed;
        parsed.exclusive = true;
        break;
      case 'c': case 'n': case 'N': case 'S': case 'R': case 'T': case 'D': case ' ':
        break;  // hints without effect here
      default:
        return parsed;
    }
  }
  parsed.ok = true;
  return parsed;
}

DWORD ShareModeOf(int shflag, bool* ok) {
  *ok = true;
  switch (shflag) {
    case _SH_DENYNO: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    case _SH_DENYWR: return FILE_SHARE_READ;
    case _SH_DENYRD: return FILE_SHARE_WRITE;
    case _SH_DENYRW: return 0;
    case _SH_SECURE: return FILE_SHARE_READ;
    default: *ok = false; return 0;
  }
}

FILE* Fail(DWORD error) {
  SetLastError(error);
  errno = WinportErrnoFromError(error);
  return nullptr;
}

FILE* OpenStream(const char* path, const char* mode, int shflag) {
  ParsedMode parsed = ParseMode(mode);
  bool shareOk = false;
  DWORD share = ShareModeOf(shflag, &shareOk);
  if (!path || !parsed.ok || !shareOk) return Fail(ERROR_INVALID_PARAMETER);
  if (!*path) return Fail(ERROR_FILE_NOT_FOUND);

  winport::FileOpenRequest request;
  request.read = parsed.kind == 'r' || parsed.update;
  request.write = parsed.kind != 'r' || parsed.update;
  request.append = parsed.kind == 'a';
  request.shareMode = share;
  request.disposition = parsed.kind == 'r'   ? OPEN_EXISTING
                        : parsed.kind == 'a' ? OPEN_ALWAYS
                        : parsed.exclusive   ? CREATE_NEW
                                             : CREATE_ALWAYS;
  winport::FileOpenResult opened = winport::OpenFile(path, request);
  if (opened.fd < 0) return Fail(opened.error);

  std::string glibcMode(1, parsed.kind);
  if (parsed.update) glibcMode += '+';
  FILE* file = parsed.binary ? fdopen(opened.fd, glibcMode.c_str())
                             : winport::OpenTextStream(opened.fd, glibcMode.c_str(), request.append);
  if (!file) {
    int error = errno;
    if (parsed.binary) close(opened.fd);
    return Fail(WinportErrorFromErrno(error));
  }
  if (parsed.binary) setvbuf(file, nullptr, _IOFBF, 64 * 1024);
  SetLastError(opened.existed && parsed.kind != 'r' ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return file;
}

}  // namespace

extern "C" FILE* winport_fopen(const char* path, const char* mode) {
  return OpenStream(path, mode, _SH_DENYNO);
}

extern "C" FILE* _fsopen(const char* path, const char* mode, int shflag) {
  return OpenStream(path, mode, shflag);
}
