// lstrcmpiA: names compared the way Windows sorts them, without regard to
// case, for the ANSI code page 1252.
//
// Each character has a sort weight at three levels, as in Windows' default
// sort table: the primary weight (which letter, digit or symbol it is), the
// diacritic weight (which accent it carries) and a special weight for the
// few characters that a word sort ignores at first (hyphen, apostrophe, soft
// hyphen). Two texts are compared level by level; a later level decides only
// when every earlier one is equal. Case is no level here.
#include <string.h>
#include <windows.h>

#include <initializer_list>

namespace {

enum Kind : unsigned char {
  kUnassigned,
  kNormal,   // one primary weight
  kExpand,   // two primary weights (a ligature: "ae", "oe", "ss")
  kIgnore,   // counts for nothing (control characters)
  kSpecial,  // counts only at the last level
};

struct Weight {
  unsigned short primary = 0;
  unsigned short second = 0;  // the second primary weight of a ligature
  unsigned char diacritic = 0;
  Kind kind = kUnassigned;
};

// Accents, as diacritic weights.
enum Accent : unsigned char {
  kPlain = 0,
  kGrave,
  kAcute,
  kCircumflex,
  kTilde,
  kDiaeresis,
  kRing,
  kCedilla,
  kStroke,
  kCaron,
  kSuperscript,
  kEth,
  kHook,
};

// White space and punctuation before digits and letters, in Windows' order:
// the plain punctuation, then quotation marks, then currency signs, then
// mathematical signs and the other symbols.
const char kSymbols[] =
    "\t\n\v\f\r \xA0!\"#$%&()*,./:;?@[\\]^_`{|}~\xA1\xA6\xA8\xAF\xB4\xB8\xBF\x88\x98"
    "\x91\x92\x82\x93\x94\x84\x8B\x9B\x96\x97\xA2\xA3\xA4\xA5\x80+<=>\xB1\xAB\xBB\xD7\xF7"
    "\xA7\xA9\xAC\xAE\xB0\xB6\xB7\x85\x86\x87\x95\x89\x99\xBC\xBD\xBE";

struct Letter {
  unsigned char code;
  char base;
  Accent accent;
};

// Letters of the code page that sort with a plain letter or digit.
const Letter kVariants[] = {
    {0xC0, 'a', kGrave},      {0xC1, 'a', kAcute},     {0xC2, 'a', kCircumflex}, {0xC3, 'a', kTilde},
    {0xC4, 'a', kDiaeresis},  {0xC5, 'a', kRing},      {0xC7, 'c', kCedilla},    {0xC8, 'e', kGrave},
    {0xC9, 'e', kAcute},      {0xCA, 'e', kCircumflex}, {0xCB, 'e', kDiaeresis}, {0xCC, 'i', kGrave},
    {0xCD, 'i', kAcute},      {0xCE, 'i', kCircumflex}, {0xCF, 'i', kDiaeresis}, {0xD0, 'd', kEth},
    {0xD1, 'n', kTilde},      {0xD2, 'o', kGrave},     {0xD3, 'o', kAcute},      {0xD4, 'o', kCircumflex},
    {0xD5, 'o', kTilde},      {0xD6, 'o', kDiaeresis}, {0xD8, 'o', kStroke},     {0xD9, 'u', kGrave},
    {0xDA, 'u', kAcute},      {0xDB, 'u', kCircumflex}, {0xDC, 'u', kDiaeresis}, {0xDD, 'y', kAcute},
    {0x8A, 's', kCaron},      {0x8E, 'z', kCaron},     {0x9F, 'y', kDiaeresis},  {0xFF, 'y', kDiaeresis},
    {0x83, 'f', kHook},       {0xAA, 'a', kSuperscript}, {0xBA, 'o', kSuperscript}, {0xB9, '1', kSuperscript},
    {0xB2, '2', kSuperscript}, {0xB3, '3', kSuperscript},
};

struct Table {
  Weight weights[256];

  Table() {
    unsigned short next = 1;
    for (const char* p = kSymbols; *p; ++p) Set(static_cast<unsigned char>(*p), next++, kPlain);
    for (char c = '0'; c <= '9'; ++c) Set(static_cast<unsigned char>(c), next++, kPlain);
    for (char c = 'a'; c <= 'z'; ++c) {
      Set(static_cast<unsigned char>(c), next, kPlain);
      Set(static_cast<unsigned char>(c - 'a' + 'A'), next, kPlain);
      ++next;
    }
    Set(0xDE, next, kPlain);  // thorn, after z
    Set(0xFE, next++, kPlain);
    Set(0xB5, next++, kPlain);  // micro sign, with the Greek letters
    for (const Letter& letter : kVariants) {
      const Weight& base = weights[static_cast<unsigned char>(letter.base)];
      Set(letter.code, base.primary, letter.accent);
      // Lower-case forms of the upper-case accented letters (except the
      // multiplication sign's counterpart, the division sign, a symbol).
      if (letter.code >= 0xC0 && letter.code <= 0xDD) Set(letter.code + 0x20, base.primary, letter.accent);
    }
    Set(0x9A, weights[0x8A].primary, kCaron);
    Set(0x9E, weights[0x8E].primary, kCaron);
    Ligature(0xC6, 'a', 'e');
    Ligature(0xE6, 'a', 'e');
    Ligature(0x8C, 'o', 'e');
    Ligature(0x9C, 'o', 'e');
    Ligature(0xDF, 's', 's');
    for (unsigned char c : {0x27, 0x2D, 0xAD}) {
      weights[c].kind = kSpecial;
      weights[c].primary = c;
    }
    for (int c = 1; c < 256; ++c) {
      if (weights[c].kind == kUnassigned) weights[c].kind = kIgnore;  // controls and unused codes
    }
  }

  void Set(unsigned char code, unsigned short primary, Accent accent) {
    weights[code].primary = primary;
    weights[code].diacritic = accent;
    weights[code].kind = kNormal;
  }

  void Ligature(unsigned char code, char first, char second) {
    weights[code].primary = weights[static_cast<unsigned char>(first)].primary;
    weights[code].second = weights[static_cast<unsigned char>(second)].primary;
    weights[code].kind = kExpand;
  }
};

const Table& SortTable() {
  static const Table table;
  return table;
}

// Walks the primary and diacritic weights of a text, a ligature giving two.
class WeightWalk {
 public:
  WeightWalk(const Table& table, const unsigned char* text) : table_(table), p_(text) {}

  // The next primary and diacritic weight; false at the end of the text.
  bool Next(unsigned short& primary, unsigned char& diacritic) {
    if (pending_) {
      primary = pending_;
      diacritic = 0;
      pending_ = 0;
      return true;
    }
    for (; *p_; ++p_) {
      const Weight& w = table_.weights[*p_];
      if (w.kind == kNormal || w.kind == kExpand) {
        primary = w.primary;
        diacritic = w.diacritic;
        if (w.kind == kExpand) pending_ = w.second;
        ++p_;
        return true;
      }
    }
    return false;
  }

 private:
  const Table& table_;
  const unsigned char* p_;
  unsigned short pending_ = 0;
};

int Sign(int difference) { return difference < 0 ? -1 : difference > 0 ? 1 : 0; }

// The last level: the special characters, by their place among the other
// weights and their own weight. A text without them sorts first.
int CompareSpecial(const Table& table, const unsigned char* a, const unsigned char* b) {
  auto nextSpecial = [&table](const unsigned char*& p, int& place) -> int {
    for (; *p; ++p) {
      const Weight& w = table.weights[*p];
      if (w.kind == kSpecial) return *p++;
      if (w.kind == kNormal) ++place;
      if (w.kind == kExpand) place += 2;
    }
    return 0;
  };
  int placeA = 0, placeB = 0;
  for (;;) {
    int specialA = nextSpecial(a, placeA);
    int specialB = nextSpecial(b, placeB);
    if (!specialA || !specialB) return Sign((specialA != 0) - (specialB != 0));
    if (placeA != placeB) return placeA < placeB ? -1 : 1;
    if (specialA != specialB) return Sign(specialA - specialB);
  }
}

}  // namespace

extern "C" int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) {
  if (!lpString1 || !lpString2) return Sign((lpString1 != nullptr) - (lpString2 != nullptr));
  const Table& table = SortTable();
  const unsigned char* a = reinterpret_cast<const unsigned char*>(lpString1);
  const unsigned char* b = reinterpret_cast<const unsigned char*>(lpString2);

  // Equal characters have equal weights at every level, so the walk starts
  // after the characters that begin both texts alike (sorted names share
  // long beginnings). The last level walks the whole texts.
  size_t same = 0;
  while (a[same] && a[same] == b[same]) ++same;
  if (!a[same] && !b[same]) return 0;
  WeightWalk walkA(table, a + same), walkB(table, b + same);
  int diacritics = 0;  // the first diacritic difference, used when the letters are equal
  for (;;) {
    unsigned short primaryA = 0, primaryB = 0;
    unsigned char diacriticA = 0, diacriticB = 0;
    bool moreA = walkA.Next(primaryA, diacriticA);
    bool moreB = walkB.Next(primaryB, diacriticB);
    if (!moreA || !moreB) {
      if (moreA != moreB) return moreA ? 1 : -1;
      break;
    }
    if (primaryA != primaryB) return primaryA < primaryB ? -1 : 1;
    if (!diacritics && diacriticA != diacriticB) diacritics = diacriticA < diacriticB ? -1 : 1;
  }
  if (diacritics) return diacritics;
  return CompareSpecial(table, a, b);
}
