// The names a folder's listing can rule out.
#include "listed_name.h"

#include <string.h>

namespace tekora {

bool IsPlainFileName(const CString& name) {
  const int length = name.GetLength();
  if (length == 0 || name[length - 1] == '.') return false;
  for (int i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c <= ' ' || c >= 0x7f || strchr("*?\\/:~<>|\"", c) != NULL) return false;
  }
  return true;
}

bool MayBeNamed(const CString& entry, const CString& plainName) {
  for (int i = 0; i < entry.GetLength(); ++i)
    if (static_cast<unsigned char>(entry[i]) >= 0x80) return true;
  return entry.CompareNoCase(plainName) == 0;
}

}  // namespace tekora
