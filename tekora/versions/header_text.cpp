// The text helpers of the version header: numbers, white space, quotes and
// the alignment column.
#include <ctype.h>

#include <tekora/versions.h>

int PAVersion::GetLongestLength(const CStringArray& strings) {
  int longest = 0;
  for (INT_PTR i = 0; i < strings.GetSize(); ++i)
    if (strings[i].GetLength() > longest) longest = strings[i].GetLength();
  return longest + 1;
}

int PAVersion::IsHexNumber(LPCSTR text) {
  if (text == NULL || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return 0;
  for (LPCSTR p = text + 2; *p; ++p)
    if (!isxdigit(static_cast<unsigned char>(*p))) return 0;
  return 1;
}

int PAVersion::IsNumber(LPCSTR text) {
  if (text == NULL || *text == '\0') return 0;
  if (IsHexNumber(text)) return 1;
  for (LPCSTR p = text; *p; ++p)
    if (*p < '0' || *p > '9') return 0;
  return 1;
}

int PAVersion::FindWhitespace(LPCSTR text) {
  if (text == NULL) return -1;
  for (LPCSTR p = text; *p; ++p)
    if (*p == '\t' || *p == '\n' || *p == ' ') return static_cast<int>(p - text);
  return -1;
}

void PAVersion::Unquote(CString& out, LPCSTR text) {
  out = text;
  if (!out.IsEmpty() && out[0] == '"') out.Delete(0);
  if (!out.IsEmpty() && out[out.GetLength() - 1] == '"') out.Truncate(out.GetLength() - 1);
}
