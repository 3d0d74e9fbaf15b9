// PAMatchExtensionList: whether a file name's extension is one of a list
// such as ".cpp;.cxx;.c;" or ".rc?;.rc;".
#include <tekora/core.h>

namespace {

// Whether `pattern` covers all of `text`: "*" any run of characters, "?"
// exactly one, anything else itself. Backtracks only to the last "*", so the
// time stays proportional to the product of the lengths at worst.
bool WildcardMatch(LPCSTR pattern, LPCSTR text) {
  LPCSTR star = nullptr;
  LPCSTR resume = nullptr;
  while (*text) {
    if (*pattern == '*') {
      star = pattern++;
      resume = text;
    } else if (*pattern == '?' || *pattern == *text) {
      ++pattern;
      ++text;
    } else if (star) {
      pattern = star + 1;
      text = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

int Match(LPCSTR fileName, CString& extensionList) {
  CString name = fileName ? fileName : "";
  CString list = extensionList;
  name.MakeUpper();
  list.MakeUpper();
  if (name.IsEmpty() || list.IsEmpty()) return 0;
  const int dot = name.ReverseFind('.');
  if (dot < 0) return 0;
  const CString extension = name.Mid(dot);

  if (list[list.GetLength() - 1] == ';') list.Truncate(list.GetLength() - 1);
  CString canonical;
  bool matched = false;
  int start = 0;
  while (start <= list.GetLength()) {
    int end = list.Find(';', start);
    if (end < 0) end = list.GetLength();
    CString item = list.Mid(start, end - start);
    start = end + 1;
    if (item.IsEmpty()) continue;
    if (item[0] != '.') item = '.' + item;
    if (!matched && WildcardMatch(item, extension)) matched = true;
    canonical += item;
    canonical += ';';
  }
  canonical.MakeLower();
  extensionList = canonical;
  return matched ? 1 : 0;
}

}  // namespace

int PAMatchExtensionList(LPCSTR fileName, CString& extensionList) {
  try {
    return Match(fileName, extensionList);
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}
