// PAIsNonWordChar and PAFindWholeWord: identifiers as whole words in a line
// of source text.
#include <string.h>

#include <tekora/text.h>

namespace {

// Only so much of a line is searched, as the tools' line buffers hold.
const size_t kSearchedLength = 2600;

}  // namespace

int PAIsNonWordChar(char ch) {
  const unsigned char c = static_cast<unsigned char>(ch);
  const bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  return word ? 0 : 1;
}

int PAFindWholeWord(LPCSTR text, LPCSTR word, int caseSensitive) {
  if (!text || !word || *word == '\0') return -1;
  try {
    CString line(text, static_cast<int>(strnlen(text, kSearchedLength)));
    CString sought(word);
    if (!caseSensitive) {
      line.MakeLower();
      sought.MakeLower();
    }
    const int length = line.GetLength();
    const int soughtLength = sought.GetLength();
    // The end of the copy counts as a boundary, as its terminating NUL does.
    for (int at = line.Find(sought); at >= 0; at = line.Find(sought, at + 1)) {
      const bool startsWord = at == 0 || PAIsNonWordChar(line[at - 1]);
      const int after = at + soughtLength;
      const bool endsWord = after >= length || PAIsNonWordChar(line[after]);
      if (startsWord && endsWord) return at;
    }
    return -1;
  } catch (CException* e) {
    e->Delete();
    return -1;
  }
}
