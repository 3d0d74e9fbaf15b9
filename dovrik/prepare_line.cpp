#include "prepare_line.h"

#include <stdint.h>
#include <string.h>

namespace {

const char kBlockOpenerMarker[] = "/*VOXTAG";  // opens the settings block
const char kMarkerWord[] = "VOXTAG";           // "VOXTAG*/" closes it
const size_t kOpenerMarkerLength = sizeof kBlockOpenerMarker - 1;
const size_t kMarkerWordLength = sizeof kMarkerWord - 1;

// The first star in [from, end), or null. After an opener the search goes
// on at its star, which is found without a call.
const char* FindStar(const char* from, const char* end) {
  if (from < end && *from == '*') return from;
  return static_cast<const char*>(memchr(from, '*', static_cast<size_t>(end - from)));
}

bool IsTabOrLineEnd(char c) { return c == '\t' || c == '\r' || c == '\n'; }

// The high bit of each byte of `word` that equals `c`, no other bit.
uint64_t ByteMask(uint64_t word, char c) {
  const uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  uint64_t x = word ^ (0x0101010101010101ULL * static_cast<unsigned char>(c));
  return ~(((x & kLow7) + kLow7) | x | kLow7);
}

}  // namespace

CommentBrace FindCommentBrace(const char* position, const char* end, const char** next) {
  // Every brace holds a star: an opener's star is its second character, a
  // closer's its first. Taking the stars in order, and at each star the opener
  // before the closer, meets the braces in the order of their positions, so
  // the first hit is the first brace and one pass over the line finds it.
  for (const char* star = FindStar(position, end); star != nullptr; star = FindStar(star + 1, end)) {
    if (star > position && star[-1] == '/') {
      if (static_cast<size_t>(end - (star - 1)) >= kOpenerMarkerLength && memcmp(star - 1, kBlockOpenerMarker, kOpenerMarkerLength) == 0)
        return kNoBrace;
      *next = star - 1;
      return kOpener;
    }
    if (end - star >= 2 && star[1] == '/') {
      if (static_cast<size_t>(star - position) >= kMarkerWordLength &&
          memcmp(star - kMarkerWordLength, kMarkerWord, kMarkerWordLength) == 0)
        return kNoBrace;
      *next = star + 2;
      return kCloser;
    }
  }
  return kNoBrace;
}

KeptText CutComments(const char* line, const char* end, int& depth) {
  const char* firstOpener = nullptr;
  const char* lastCloserEnd = nullptr;
  const char* position = line;
  for (;;) {
    const char* hit = position;
    CommentBrace brace = FindCommentBrace(position, end, &hit);
    if (brace == kOpener) {
      ++depth;
      if (firstOpener == nullptr) firstOpener = hit;
      position = hit + 1;
    } else if (brace == kCloser) {
      --depth;
      lastCloserEnd = hit;
      position = hit;
    } else {
      break;
    }
  }

  KeptText kept = {line, end, end, end};
  if (firstOpener != nullptr && lastCloserEnd != nullptr && lastCloserEnd > firstOpener) {
    // Code, comment, code: the text before the first opener joined to the
    // text after the last closer.
    kept.headEnd = firstOpener;
    kept.tail = lastCloserEnd;
  } else {
    // Only openers: the text before the first. Only closers: the text after
    // the last. The last closer before the first opener (the end of one
    // comment, code, the start of another): the code between them.
    if (lastCloserEnd != nullptr) kept.head = lastCloserEnd;
    if (firstOpener != nullptr) kept.headEnd = firstOpener;
  }
  return kept;
}

size_t PrepareLine(char* line, int& depth, bool quoteFlag, bool hashCommentFlag) {
  if (IsLineComment(line, hashCommentFlag)) {
    line[0] = '\0';
    return 0;
  }

  // Cut the comment text away; what stays is [begin, end).
  const KeptText kept = CutComments(line, line + strlen(line), depth);
  char* begin = line + (kept.head - line);
  char* end = line + (kept.headEnd - line);
  const size_t tail = static_cast<size_t>(kept.tailEnd - kept.tail);
  if (tail > 0) {
    memmove(end, kept.tail, tail);
    end += tail;
  }

  while (begin < end && IsTabOrLineEnd(*begin)) ++begin;
  while (end > begin && IsTabOrLineEnd(end[-1])) --end;

  // Quotes, tabs to blanks and the squeezing of blank runs in one pass; the
  // output never overtakes the input, so the line is rewritten in place.
  // Eight characters at a time pass unchanged while they hold no tab, no
  // quote to turn and no blank that follows another blank.
  char* out = line;
  const char* in = begin;
  while (in < end) {
    if (end - in >= 8) {
      uint64_t word;
      memcpy(&word, in, 8);
      uint64_t blanks = ByteMask(word, ' ');
      uint64_t others = ByteMask(word, '\t') | (quoteFlag ? ByteMask(word, '"') : 0);
      bool blankAfterBlank = (blanks & (blanks << 8)) != 0 ||
                             (in[0] == ' ' && out > line && out[-1] == ' ');
      if (others == 0 && !blankAfterBlank) {
        memcpy(out, &word, 8);
        out += 8;
        in += 8;
        continue;
      }
    }
    char c = *in++;
    if (c == '\t') {
      c = ' ';
    } else if (c == '"' && quoteFlag) {
      c = '\'';
    }
    if (c == ' ' && out > line && out[-1] == ' ') continue;
    *out++ = c;
  }
  *out = '\0';
  return static_cast<size_t>(out - line);
}
