#include "qpxlex.h"

#include <stdint.h>
#include <string.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "byte_search.h"
#include "qpxlex_tables.h"

namespace {

using namespace qpx;

const char kInternalError[] = "fatal pclex scanner internal error";

// How yylex's shortcuts treat a character found at a token start. All of it
// is derived from the automaton's tables.
enum Kind : unsigned char {
  kPlain,           // a token of its own by rule 9, without action
  kWhite,           // begins a token of blanks or line ends (rules 6 and 8), without action
  kPrefix,          // a token of its own by rule 9 unless one certain character follows
  kLiteralStart,    // a token of its own with an action (rule 7)
  kNeedsAutomaton,  // anything else: the automaton's way
};

using ByteTable = std::array<unsigned char, 256>;

// The one character that leads on from each state, or -1 where there are
// none or several. Worked out once per state, so that the tables below stay
// within the compilers' limits on constant evaluation.
using FollowerTable = std::array<short, kStateCount>;

constexpr FollowerTable BuildOnlyFollowers() {
  FollowerTable followers{};
  for (int state = 0; state < kStateCount; ++state) {
    int follower = -1;
    for (int c = 0; c < 256; ++c) {
      if (kNextState[state][kCharClassOf[c]] == kDead) continue;
      if (follower >= 0) {
        follower = -1;
        break;
      }
      follower = c;
    }
    followers[state] = static_cast<short>(follower);
  }
  return followers;
}

constexpr FollowerTable kOnlyFollower = BuildOnlyFollowers();

constexpr int OnlyFollower(int state) { return kOnlyFollower[state]; }

constexpr ByteTable BuildKinds() {
  ByteTable kinds{};
  for (int c = 0; c < 256; ++c) {
    const int first = kNextState[kStart][kCharClassOf[c]];
    if (kJamState[first] && kAcceptedRule[first] == kRuleOther)
      kinds[c] = kPlain;
    else if (first == kBlanks || first == kLineEnds)
      kinds[c] = kWhite;
    else if (kJamState[first] && kAcceptedRule[first] == kRuleQuote)
      kinds[c] = kLiteralStart;
    else if (kAcceptedRule[first] == kRuleOther && OnlyFollower(first) >= 0)
      kinds[c] = kPrefix;
    else
      kinds[c] = kNeedsAutomaton;
  }
  return kinds;
}

// kPrefix: the one character that continues the token.
constexpr ByteTable BuildFollowers() {
  ByteTable followers{};
  for (int c = 0; c < 256; ++c) {
    const int follower = OnlyFollower(kNextState[kStart][kCharClassOf[c]]);
    followers[c] = static_cast<unsigned char>(follower >= 0 ? follower : 0);
  }
  return followers;
}

// kPrefix: the rule of the character and its follower when no longer text
// can match, else kNoRule.
constexpr ByteTable BuildPairRules() {
  ByteTable rules{};
  for (int c = 0; c < 256; ++c) {
    const int first = kNextState[kStart][kCharClassOf[c]];
    const int follower = OnlyFollower(first);
    if (follower < 0) continue;
    const int second = kNextState[first][kCharClassOf[follower]];
    if (kJamState[second]) rules[c] = kAcceptedRule[second];
  }
  return rules;
}

constexpr ByteTable kKindOf = BuildKinds();
constexpr ByteTable kFollowerOf = BuildFollowers();
constexpr ByteTable kPairRuleOf = BuildPairRules();

// Stored behind a stretch of data, it ends the bulk skip without a bounds check.
const unsigned char kSentinel = '/';

static_assert(kKindOf[kSentinel] > kWhite, "the sentinel must stop the bulk skip");
static_assert(kKindOf['a'] == kPlain && kKindOf[0] == kPlain && kKindOf[' '] == kWhite &&
                  kKindOf['\n'] == kWhite && kKindOf['\''] == kLiteralStart,
              "the shortcuts must cover the common characters");
static_assert(kKindOf['-'] == kPrefix && kPairRuleOf['-'] == kRuleLineComment && kKindOf['*'] == kPrefix &&
                  kPairRuleOf['*'] == kRuleCommentCloser && kKindOf['/'] == kPrefix &&
                  kPairRuleOf['/'] == kNoRule && kKindOf['V'] == kPrefix && kPairRuleOf['V'] == kNoRule,
              "characters that begin two-character tokens");

// The characters that are neither plain nor white, the ones a bulk skip
// stops at.
constexpr unsigned char kLoud[] = {'\'', '*', '-', '/', 'V'};

constexpr bool LoudCharactersAreExactlyThese() {
  for (int c = 0; c < 256; ++c) {
    bool listed = false;
    for (unsigned char loud : kLoud) listed = listed || loud == c;
    if ((kKindOf[c] > kWhite) != listed) return false;
  }
  return true;
}

static_assert(LoudCharactersAreExactlyThese(), "the vector skip must stop at every character the tables mark");

static_assert(kKindOf[kLoud[0]] == kLiteralStart && kKindOf[kLoud[1]] == kPrefix && kKindOf[kLoud[2]] == kPrefix &&
                  kKindOf[kLoud[3]] == kPrefix && kKindOf[kLoud[4]] == kPrefix,
              "the vector skip takes the first loud character for the quote, the others for prefixes");

#if defined(__SSE2__)
// Characters that one step of the vector skip covers.
const int kStep = 64;

// One bit for each of the sixteen characters at `p` that the fast loop has
// to look at: a quote, or a prefix followed by its follower. A prefix
// followed by anything else is a token of its own, as a plain character is.
// The character after the sixteen is read too.
inline uint64_t SignificantBits(const unsigned char* p) {
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
  const auto equal = [](__m128i bytes, unsigned char c) {
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(c)));
  };
  const auto pair = [&](unsigned char prefix) {
    return _mm_and_si128(equal(block, prefix), equal(next, kFollowerOf[prefix]));
  };
  const __m128i hits = _mm_or_si128(_mm_or_si128(equal(block, kLoud[0]), pair(kLoud[1])),
                                    _mm_or_si128(_mm_or_si128(pair(kLoud[2]), pair(kLoud[3])), pair(kLoud[4])));
  return static_cast<unsigned>(_mm_movemask_epi8(hits));
}
#endif

// The characters that the fast loop has to look at, found a step at a time
// and handed out one by one, so that a step is classified once however many
// of them it holds.
class QuietSkip {
 public:
  // Data from `start` on, ending in a character that is neither plain nor
  // white (the sentinel) at `stop` or before.
  QuietSkip(unsigned char* start, const unsigned char* stop) : m_stepEnd(start), m_stop(stop), m_bits(0) {}

  // The first character from `p` on that is neither plain nor white, though
  // a prefix not followed by its follower may be passed over. `p` never
  // goes back.
  unsigned char* Next(unsigned char* p) {
#if defined(__SSE2__)
    // Most are found in the step classified last.
    if (p < m_stepEnd) {
      const uint64_t bits = m_bits & (~uint64_t{0} << (p - (m_stepEnd - kStep)));
      if (bits != 0) return m_stepEnd - kStep + __builtin_ctzll(bits);
      p = m_stepEnd;
    }
#endif
    return NextFromStep(p);
  }

 private:
  // Next from a `p` beyond the step classified last.
  unsigned char* NextFromStep(unsigned char* p) {
#if defined(__SSE2__)
    // A step at a time while the character after the step lies within the data.
    while (m_stop - p > kStep) {
      m_bits = SignificantBits(p) | SignificantBits(p + 16) << 16 | SignificantBits(p + 32) << 32 |
               SignificantBits(p + 48) << 48;
      m_stepEnd = p + kStep;
      if (m_bits != 0) return p + __builtin_ctzll(m_bits);
      p = m_stepEnd;
    }
#endif
    for (;;) {
      if (kKindOf[p[0]] > kWhite) return p;
      if (kKindOf[p[1]] > kWhite) return p + 1;
      if (kKindOf[p[2]] > kWhite) return p + 2;
      if (kKindOf[p[3]] > kWhite) return p + 3;
      p += 4;
    }
  }

  unsigned char* m_stepEnd;  // the end of the step classified last
  const unsigned char* m_stop;
  uint64_t m_bits;           // its characters to look at
};

// The end of a quoted literal that begins at `quote` and ends, with the
// character after its closing quote, at or before `last`: the position
// after the closing quote, or null when the literal reaches further. The
// quotes are found by `skip`, which hands out every one.
inline unsigned char* LiteralEnd(QuietSkip& skip, unsigned char* quote, unsigned char* last) {
  unsigned char* at = quote;
  for (;;) {
    at = skip.Next(at + 1);
    if (at >= last) return nullptr;
    if (*at != '\'') continue;
    if (at[1] != '\'') return at + 1;
    ++at;  // a doubled quote: the literal goes on
  }
}

// The token from `p` as the automaton takes it, when the automaton stops
// on a character at or before `last`: its rule, with `end` set after it.
// kNoRule when the token may reach further.
inline int TokenWithin(unsigned char* p, unsigned char* last, unsigned char*& end) {
  int state = kStart;
  int rule = kNoRule;
  for (unsigned char* at = p; at <= last; ++at) {
    state = kNextState[state][kCharClassOf[*at]];
    if (kAcceptedRule[state] != kNoRule) {
      rule = kAcceptedRule[state];
      end = at + 1;
    }
    if (kJamState[state]) return rule;
  }
  return kNoRule;
}

}  // namespace

QPXlex::QPXlex(FILE* input) : YYLexer(input), m_depth(0) {}

QPXlex::QPXlex(const char* bytes, size_t length) : YYLexer(bytes, length), m_depth(0) {}

QPXlex::~QPXlex() {}

int QPXlex::yylex() {
  yysetup();
  for (;;) {
    yyrestore();
    yytok = yycur + 1;
    if (yycur < yyend) {
      // Most tokens have no action and cannot grow into a longer rule's
      // text: plain characters, blanks and line ends, and a character such
      // as "-" that is not followed by the one character that would make a
      // longer token of it. A stretch of them is skipped in bulk. The
      // stretch is shorter than a chunk, so every run of blanks and line
      // ends inside it is too short to overflow the buffer; a run that
      // reaches the stretch's end may go on, and is left to the exact way.
      unsigned char* const buf = reinterpret_cast<unsigned char*>(yybuf);
      unsigned char* const start = buf + yytok;
      unsigned char* const stop = buf + (yyend < yytok + kChunk - 2 ? yyend + 1 : yytok + kChunk - 1);
      unsigned char* const last = stop - 1;  // followed by data of the stretch up to here
      const unsigned char saved = *stop;
      *stop = kSentinel;
      // Comment openers and closers, settings block markers, line comments
      // and literals that lie within the stretch are taken here too, as
      // their actions would take them; `next` is where the token after the
      // last of them begins.
      QuietSkip skip(start, stop);
      unsigned char* p = start;
      unsigned char* next = start;
      for (;;) {
        p = skip.Next(p);
        if (p >= last) break;
        const int kind = kKindOf[*p];
        if (kind == kPrefix) {
          if (p[1] != kFollowerOf[*p]) {
            ++p;
            continue;
          }
          const int pair = kPairRuleOf[*p];
          if (pair == kRuleCommentCloser || (pair == kRuleLineComment && m_depth != 0)) {
            if (pair == kRuleCommentCloser) --m_depth;
            p += 2;
            next = p;
            continue;
          }
          if (pair == kRuleLineComment && p + 2 < last) {
            unsigned char* end = FindByte(p + 2, last, '\n');
            if (end) {
              p = next = end + 1;
              continue;
            }
          }
          if (pair == kNoRule) {
            // Such as "/*", which may begin a settings block marker: the
            // automaton tells. The tokens it may take have no action but
            // the opener's.
            unsigned char* end = p;
            const int rule = TokenWithin(p, last, end);
            if (rule == kRuleCommentOpener || rule == kRuleSettingsOpener || rule == kRuleSettingsCloser ||
                rule == kRuleOther) {
              if (rule == kRuleCommentOpener) ++m_depth;
              p = next = end;
              continue;
            }
          }
        } else if (kind == kLiteralStart) {
          if (m_depth != 0) {
            ++p;
            continue;
          }
          if (unsigned char* end = LiteralEnd(skip, p, last)) {
            p = next = end;
            continue;
          }
        }
        break;
      }
      *stop = saved;
      if (p == stop)
        while (p > next && kKindOf[p[-1]] == kWhite) --p;
      yycur = static_cast<int>(p - buf) - 1;
      yytok = yycur + 1;
      if (yycur >= yyend) continue;  // the next token needs a refill first
      switch (kKindOf[*p]) {
        case kPlain:
          continue;
        case kWhite:
          SkipWhiteSpace();
          continue;
        case kLiteralStart:
          yycur = yytok;
          Act(kRuleQuote);
          continue;
        case kPrefix:
          // A whole token of two characters, such as "--" or "*/".
          if (p < last && p[1] == kFollowerOf[*p] && kPairRuleOf[*p] != kNoRule) {
            yycur = yytok + 1;
            Act(kPairRuleOf[*p]);
            continue;
          }
          break;
        default:
          break;
      }
    }
    const int rule = MatchToken();
    if (rule == kNoRule) {
      if (yywrap()) return 0;
      // The input goes on (a scanner whose yywrap opened more input).
      yyeof = 0;
      continue;
    }
    Act(rule);
  }
}

// Records a state per character on the way, so that the backing up needs no
// second run.
int QPXlex::MatchToken() {
  int state = kStart;
  for (;;) {
    if (yycur - yytok + 1 >= kChunk) yyoverflow();
    if (yycur >= yyend) {
      yyrefill();
      if (yycur >= yyend) break;
    }
    const int c = static_cast<unsigned char>(yybuf[++yycur]);
    state = kNextState[state][kCharClassOf[c]];
    yystates[yycur] = state;
    if (kJamState[state]) break;
  }
  int pos = yycur;
  while (pos >= yytok && kAcceptedRule[yystates[pos]] == kNoRule) --pos;
  if (pos < yytok) {
    if (yycur < yytok) return kNoRule;
    yyfatal(kInternalError);
  }
  yycur = pos;
  yysettext();
  return kAcceptedRule[yystates[pos]];
}

void QPXlex::Act(int rule) {
  switch (rule) {
    case kRuleCommentOpener:
      ++m_depth;
      break;
    case kRuleCommentCloser:
      --m_depth;
      break;
    case kRuleLineComment:
      // Inside a comment, and after a surplus closer, dashes are ordinary.
      if (m_depth == 0) SkipLineComment();
      break;
    case kRuleQuote:
      if (m_depth == 0) SkipLiteral();
      break;
    default:
      // The settings block markers, blanks, line ends and other characters.
      break;
  }
}

// A run of blanks and line ends from the token start: tokens of rules 6 and 8,
// split as the automaton splits them. They have no action; only their length
// matters, since a token of a whole chunk cannot be relied on to fit in the
// buffer. Ends before the first other character, or at the end of the input.
void QPXlex::SkipWhiteSpace() {
  int state = kStart;
  for (;;) {
    const int last = yyend < yytok + kChunk - 1 ? yyend : yytok + kChunk - 1;
    while (yycur < last) {
      const int c = static_cast<unsigned char>(yybuf[yycur + 1]);
      int next = kNextState[state][kCharClassOf[c]];
      if (next == kDead) {
        if (kKindOf[c] != kWhite) return;
        // The run goes on with a new token.
        yytok = yycur + 1;
        next = kNextState[kStart][kCharClassOf[c]];
      }
      state = next;
      ++yycur;
    }
    if (yycur - yytok + 1 >= kChunk) yyoverflow();
    // Stopped short of the data's end: a new token began, with a limit of its own.
    if (yycur < yyend) continue;
    yyrefill();
    if (yycur >= yyend) return;
  }
}

// Consumes input up to and including the next `wanted` character, searching
// the buffered data in bulk; false when the input ends first.
bool QPXlex::SkipPast(char wanted) {
  yyrestore();
  for (;;) {
    if (yycur < yyend) {
      const void* hit = memchr(yybuf + yycur + 1, wanted, static_cast<size_t>(yyend - yycur));
      if (hit) {
        yycur = static_cast<int>(static_cast<const char*>(hit) - yybuf);
        return true;
      }
      yycur = yyend;
    }
    const int c = yyinput();
    if (c == kEndOfInput) return false;
    if (c == static_cast<unsigned char>(wanted)) return true;
  }
}

void QPXlex::SkipLineComment() { SkipPast('\n'); }

// A quoted literal: up to a single quote that is not doubled. The character
// after the closing quote is pushed back to begin the next token.
void QPXlex::SkipLiteral() {
  while (SkipPast('\'')) {
    const int c = yyinput();
    if (c == kEndOfInput) return;
    if (c != '\'') {
      yyunput(c);
      return;
    }
  }
}
