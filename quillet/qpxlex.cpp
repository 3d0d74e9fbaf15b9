#include "qpxlex.h"

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

// The first character from `p` on that is neither plain nor white. The data
// must end in one (the sentinel) at `stop` or before.
inline unsigned char* SkipQuiet(unsigned char* p, const unsigned char* stop) {
#if defined(__SSE2__)
  // Sixteen characters at a time while they lie within the data.
  const __m128i quote = _mm_set1_epi8(static_cast<char>(kLoud[0]));
  const __m128i star = _mm_set1_epi8(static_cast<char>(kLoud[1]));
  const __m128i dash = _mm_set1_epi8(static_cast<char>(kLoud[2]));
  const __m128i slash = _mm_set1_epi8(static_cast<char>(kLoud[3]));
  const __m128i v = _mm_set1_epi8(static_cast<char>(kLoud[4]));
  while (stop - p >= 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hits =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, quote), _mm_cmpeq_epi8(block, star)),
                     _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, dash), _mm_cmpeq_epi8(block, slash)),
                                  _mm_cmpeq_epi8(block, v)));
    const int mask = _mm_movemask_epi8(hits);
    if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
    p += 16;
  }
#else
  (void)stop;
#endif
  for (;;) {
    if (kKindOf[p[0]] > kWhite) return p;
    if (kKindOf[p[1]] > kWhite) return p + 1;
    if (kKindOf[p[2]] > kWhite) return p + 2;
    if (kKindOf[p[3]] > kWhite) return p + 3;
    p += 4;
  }
}

// The end of a quoted literal that begins at `quote` and ends, with the
// character after its closing quote, at or before `last`: the position
// after the closing quote, or null when the literal reaches further.
inline unsigned char* LiteralEnd(unsigned char* quote, unsigned char* last) {
  unsigned char* at = quote;
  for (;;) {
    at = FindByte(at + 1, last + 1, '\'');
    if (!at || at >= last) return nullptr;
    if (at[1] != '\'') return at + 1;
    ++at;  // a doubled quote: the literal goes on
  }
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
      // Comment closers, line comments and literals that lie within the
      // stretch are taken here too, as their actions would take them;
      // `next` is where the token after the last of them begins.
      unsigned char* p = start;
      unsigned char* next = start;
      for (;;) {
        p = SkipQuiet(p, stop);
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
        } else if (kind == kLiteralStart) {
          if (m_depth != 0) {
            ++p;
            continue;
          }
          if (unsigned char* end = LiteralEnd(p, last)) {
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
