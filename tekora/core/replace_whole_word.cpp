// PAReplaceAt and PAReplaceWholeWord: renaming an identifier in a line of
// source text.
#include <string.h>

#include <tekora/text.h>

namespace {

// At most this many replacements are made in one line per call.
const int kMostReplacements = 11;

}  // namespace

int PAReplaceAt(CString& text, int position, int length, LPCSTR replacement) {
  const int textLength = text.GetLength();
  if (position < 0) position = 0;
  if (position > textLength) position = textLength;
  if (length < 0) length = 0;
  if (length > textLength - position) length = textLength - position;
  try {
    CString result = text.Left(position);
    result += replacement ? replacement : "";
    result += text.Mid(position + length);
    text = result;
  } catch (CException* e) {
    e->Delete();  // out of memory: the text stays as it was
  }
  return 1;
}

int PAReplaceWholeWord(CStringArray& lines, int index, LPCSTR word, LPCSTR replacement, int* counter,
                       int caseSensitive) {
  if (index < 0 || index >= lines.GetSize()) return 0;
  if (!word || !*word || !replacement || !*replacement) return 0;
  const int wordLength = static_cast<int>(strlen(word));
  const int replacementLength = static_cast<int>(strlen(replacement));

  try {
    CString line = lines[index];
    int replaced = 0;
    int searchFrom = 0;
    while (replaced < kMostReplacements) {
      // Each search starts after the last replacement and takes that point
      // as the start of its text, so a replacement is never searched again.
      const int found = PAFindWholeWord(line.GetString() + searchFrom, word, caseSensitive);
      if (found < 0) break;
      const int at = searchFrom + found;
      PAReplaceAt(line, at, wordLength, replacement);
      searchFrom = at + replacementLength;
      ++replaced;
    }
    if (replaced == 0) return 0;
    lines[index] = line;
    if (counter) *counter += replaced;
    return 1;
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}
