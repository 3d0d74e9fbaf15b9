// PAExpandNamePattern: names derived from a file name by a pattern, such as
// the include-guard name "%P_INC_%M_%E".
#include <stdio.h>
#include <string.h>

#include <tekora/core.h>

#include "../string_ids.h"

namespace {

// Every part and the result are kept in MAX_PATH buffers: at most 259
// characters each.
const int kLongest = MAX_PATH - 1;

CString Limited(LPCSTR text, int length) { return CString(text, length < kLongest ? length : kLongest); }

// The file name and the extension (without its dot) of a path, split as
// _splitpath splits it: after a drive ("c:") and the last "\" or "/" comes
// the name, and its last "." starts the extension. Each part is cut to fit
// its buffer, where _splitpath would need the whole part to fit.
void SplitFileName(LPCSTR fullPath, CString& name, CString& extension) {
  LPCSTR start = fullPath;
  if (((*start >= 'a' && *start <= 'z') || (*start >= 'A' && *start <= 'Z')) && start[1] == ':') start += 2;
  for (LPCSTR p = start; *p; ++p)
    if (*p == '\\' || *p == '/') start = p + 1;
  LPCSTR dot = strrchr(start, '.');
  LPCSTR end = dot ? dot : start + strlen(start);
  name = Limited(start, static_cast<int>(end - start));
  extension = dot ? Limited(dot + 1, static_cast<int>(strlen(dot + 1))) : CString();
}

CString InCase(CString text, bool upper) {
  if (upper) text.MakeUpper();
  else text.MakeLower();
  return text;
}

// The file name with the prefix cut off its front, when the name is longer
// than the prefix and begins with it (compared in the same case).
CString NameWithoutPrefix(const CString& name, const CString& prefix, bool upper) {
  CString cased = InCase(name, upper);
  const CString casedPrefix = InCase(prefix, upper);
  if (cased.GetLength() > casedPrefix.GetLength() && cased.Left(casedPrefix.GetLength()) == casedPrefix)
    return cased.Mid(casedPrefix.GetLength());
  return cased;
}

void Warn(char code) {
  const CString format(MAKEINTRESOURCEA(IDS_PA_WRONG_FORMAT_CHARACTER));
  CString warning;
  warning.Format(format, code);
  fputs(warning, stdout);
}

int Expand(CString& name, LPCSTR fullPath, LPCSTR pattern, LPCSTR prefix) {
  CString fileName, extension;
  SplitFileName(fullPath ? fullPath : "", fileName, extension);
  const CString prefixText = Limited(prefix, static_cast<int>(strlen(prefix)));

  name.Empty();
  if (*pattern == '\0') return 0;

  // The result is built within kLongest characters; what does not fit is
  // cut off, while the rest of the pattern is still read for its warnings.
  CString result;
  auto append = [&result](const CString& text) {
    const int room = kLongest - result.GetLength();
    if (room > 0) result += text.Left(room);
  };
  for (LPCSTR p = pattern; *p; ++p) {
    if (*p != '%') {
      append(CString(*p));
      continue;
    }
    if (p[1] == '\0') {  // a lone "%" at the end: the "%" itself is the wrong character
      Warn('%');
      break;
    }
    const char code = *++p;
    const bool upper = code >= 'A' && code <= 'Z';
    switch (code) {
      case '%':
        append("%");
        break;
      case 'P':
      case 'p':
        append(InCase(prefixText, upper));
        break;
      case 'N':
      case 'n':
        append(InCase(fileName, upper));
        break;
      case 'E':
      case 'e':
        append(InCase(extension, upper));
        break;
      case 'M':
      case 'm':
        append(NameWithoutPrefix(fileName, prefixText, upper));
        break;
      default:
        Warn(code);
        break;
    }
  }
  name = result;
  return 1;
}

}  // namespace

int PAExpandNamePattern(CString& name, LPCSTR fullPath, LPCSTR pattern, LPCSTR prefix) {
  if (!pattern || !prefix) return 0;
  try {
    return Expand(name, fullPath, pattern, prefix);
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}
