// GetStringTypeExA: the character classes of code page 1252, as Windows
// reports them for the Unicode characters the code page maps to.
#include <windows.h>

#include <initializer_list>

namespace {

const WORD kPunct = C1_PUNCT | C1_DEFINED;
const WORD kUpper = C1_UPPER | C1_ALPHA | C1_DEFINED;
const WORD kLower = C1_LOWER | C1_ALPHA | C1_DEFINED;
const WORD kControl = C1_CNTRL | C1_DEFINED;

struct TypeTable {
  WORD types[256];

  TypeTable() {
    for (int c = 0; c < 256; ++c) types[c] = kPunct;
    for (int c = 0; c < 0x20; ++c) types[c] = kControl;
    types[0x7F] = kControl;
    types[0x09] = C1_CNTRL | C1_SPACE | C1_BLANK | C1_DEFINED;
    for (int c = '\n'; c <= '\r'; ++c) types[c] = C1_CNTRL | C1_SPACE | C1_DEFINED;
    types[0x20] = types[0xA0] = C1_SPACE | C1_BLANK | C1_DEFINED;
    for (int c = '0'; c <= '9'; ++c) types[c] = C1_DIGIT | C1_XDIGIT | C1_DEFINED;
    for (int c = 'A'; c <= 'Z'; ++c) types[c] = kUpper | (c <= 'F' ? C1_XDIGIT : 0);
    for (int c = 'a'; c <= 'z'; ++c) types[c] = kLower | (c <= 'f' ? C1_XDIGIT : 0);
    // The codes that 1252 leaves unused map to the C1 control characters.
    for (int c : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) types[c] = kControl;
    for (int c : {0x8A, 0x8C, 0x8E, 0x9F}) types[c] = kUpper;
    for (int c : {0x83, 0x9A, 0x9C, 0x9E, 0xAA, 0xB5, 0xBA}) types[c] = kLower;
    // Superscript digits are digits and punctuation at once.
    for (int c : {0xB2, 0xB3, 0xB9}) types[c] = C1_DIGIT | C1_PUNCT | C1_DEFINED;
    for (int c = 0xC0; c <= 0xDE; ++c) types[c] = kUpper;
    for (int c = 0xDF; c <= 0xFF; ++c) types[c] = kLower;
    types[0xD7] = types[0xF7] = kPunct;  // multiplication and division signs
  }
};

}  // namespace

extern "C" BOOL WINAPI GetStringTypeExA(LCID, DWORD dwInfoType, LPCSTR lpSrcStr, int cchSrc, LPWORD lpCharType) {
  if (dwInfoType != CT_CTYPE1) return SetLastError(ERROR_INVALID_FLAGS), FALSE;
  if (!lpSrcStr || !lpCharType || cchSrc == 0 || cchSrc < -1) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  static const TypeTable table;
  const unsigned char* text = reinterpret_cast<const unsigned char*>(lpSrcStr);
  if (cchSrc == -1) {
    int i = 0;
    do {
      lpCharType[i] = table.types[text[i]];
    } while (text[i++] != 0);
  } else {
    for (int i = 0; i < cchSrc; ++i) lpCharType[i] = table.types[text[i]];
  }
  return TRUE;
}
