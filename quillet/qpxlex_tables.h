// The automaton of quillet's SQL comment scanner: a deterministic automaton
// over character classes that recognises the scanner's nine rules. Every
// state records the rule it accepts (the first in priority order, 0 for none);
// the driver takes the longest accepted text, so priority only decides
// between rules that match the same text.
//
//   1  "/*VOXTAG"                    settings block opener, not a comment
//   2  "VOXTAG*/"                    settings block closer, not a comment
//   3  "/*"                          comment opener
//   4  "*/"                          comment closer
//   5  "--"                          line comment
//   6  [ \t]*\n+[ \t]*               line ends with the blanks around them
//   7  "'"                           quoted literal
//   8  [ \t]+                        blanks
//   9  any single character
#pragma once

#include <array>

namespace qpx {

enum Rule {
  kNoRule = 0,
  kRuleSettingsOpener = 1,
  kRuleSettingsCloser = 2,
  kRuleCommentOpener = 3,
  kRuleCommentCloser = 4,
  kRuleLineComment = 5,
  kRuleLineEnds = 6,
  kRuleQuote = 7,
  kRuleBlanks = 8,
  kRuleOther = 9,
};

// Characters that the automaton tells apart; every other byte is kOther.
enum CharClass : unsigned char {
  kOther,
  kSlash,   // '/'
  kStar,    // '*'
  kDash,    // '-'
  kQuote,   // '\''
  kBlank,   // ' ' and '\t'
  kLineEnd, // '\n'
  kV,
  kO,
  kX,
  kT,
  kA,
  kG,
  kClassCount
};

// States; each name is the text read so far from the token start.
enum State : unsigned char {
  kDead,            // no rule can match any more
  kStart,
  kSlash1,          // "/"
  kOpener,          // "/*"
  kOpenerV,         // "/*V"
  kOpenerVO,        // "/*VO"
  kOpenerVOX,       // "/*VOX"
  kOpenerVOXT,      // "/*VOXT"
  kOpenerVOXTA,     // "/*VOXTA"
  kSettingsOpener,  // "/*VOXTAG"
  kStar1,           // "*"
  kCloser,          // "*/"
  kDash1,           // "-"
  kLineComment,     // "--"
  kQuoteMark,       // "'"
  kV1,              // "V"
  kVO,              // "VO"
  kVOX,             // "VOX"
  kVOXT,            // "VOXT"
  kVOXTA,           // "VOXTA"
  kVOXTAG,          // "VOXTAG"
  kVOXTAGStar,      // "VOXTAG*"
  kSettingsCloser,  // "VOXTAG*/"
  kBlanks,          // blanks
  kLineEnds,        // blanks, then line ends
  kTrailingBlanks,  // blanks, line ends, then blanks
  kOtherChar,       // any other single character
  kStateCount
};

using ClassTable = std::array<unsigned char, 256>;
using NextTable = std::array<std::array<unsigned char, kClassCount>, kStateCount>;
using StateTable = std::array<unsigned char, kStateCount>;

namespace tables_detail {

struct Edge {
  State from;
  CharClass on;
  State to;
};

// Every transition into a live state; all others lead to kDead.
constexpr Edge kEdges[] = {
    // The first character decides which rules remain possible.
    {kStart, kOther, kOtherChar},
    {kStart, kSlash, kSlash1},
    {kStart, kStar, kStar1},
    {kStart, kDash, kDash1},
    {kStart, kQuote, kQuoteMark},
    {kStart, kBlank, kBlanks},
    {kStart, kLineEnd, kLineEnds},
    {kStart, kV, kV1},
    {kStart, kO, kOtherChar},
    {kStart, kX, kOtherChar},
    {kStart, kT, kOtherChar},
    {kStart, kA, kOtherChar},
    {kStart, kG, kOtherChar},
    // "/*", and on to "/*VOXTAG".
    {kSlash1, kStar, kOpener},
    {kOpener, kV, kOpenerV},
    {kOpenerV, kO, kOpenerVO},
    {kOpenerVO, kX, kOpenerVOX},
    {kOpenerVOX, kT, kOpenerVOXT},
    {kOpenerVOXT, kA, kOpenerVOXTA},
    {kOpenerVOXTA, kG, kSettingsOpener},
    // "*/".
    {kStar1, kSlash, kCloser},
    // "--".
    {kDash1, kDash, kLineComment},
    // "VOXTAG*/".
    {kV1, kO, kVO},
    {kVO, kX, kVOX},
    {kVOX, kT, kVOXT},
    {kVOXT, kA, kVOXTA},
    {kVOXTA, kG, kVOXTAG},
    {kVOXTAG, kStar, kVOXTAGStar},
    {kVOXTAGStar, kSlash, kSettingsCloser},
    // Blanks, line ends and the blanks after them.
    {kBlanks, kBlank, kBlanks},
    {kBlanks, kLineEnd, kLineEnds},
    {kLineEnds, kLineEnd, kLineEnds},
    {kLineEnds, kBlank, kTrailingBlanks},
    {kTrailingBlanks, kBlank, kTrailingBlanks},
};

struct Accept {
  State state;
  Rule rule;
};

constexpr Accept kAccepts[] = {
    {kSlash1, kRuleOther},
    {kOpener, kRuleCommentOpener},
    {kSettingsOpener, kRuleSettingsOpener},
    {kStar1, kRuleOther},
    {kCloser, kRuleCommentCloser},
    {kDash1, kRuleOther},
    {kLineComment, kRuleLineComment},
    {kQuoteMark, kRuleQuote},
    {kV1, kRuleOther},
    {kSettingsCloser, kRuleSettingsCloser},
    {kBlanks, kRuleBlanks},
    {kLineEnds, kRuleLineEnds},
    {kTrailingBlanks, kRuleLineEnds},
    {kOtherChar, kRuleOther},
};

constexpr ClassTable BuildClasses() {
  ClassTable classes{};
  classes['/'] = kSlash;
  classes['*'] = kStar;
  classes['-'] = kDash;
  classes['\''] = kQuote;
  classes[' '] = kBlank;
  classes['\t'] = kBlank;
  classes['\n'] = kLineEnd;
  classes['V'] = kV;
  classes['O'] = kO;
  classes['X'] = kX;
  classes['T'] = kT;
  classes['A'] = kA;
  classes['G'] = kG;
  classes[0] = classes[1];
  return classes;
}

constexpr NextTable BuildNext() {
  NextTable next{};
  for (const Edge& edge : kEdges) next[edge.from][edge.on] = edge.to;
  return next;
}

constexpr StateTable BuildAccepted() {
  StateTable accepted{};
  for (const Accept& accept : kAccepts) accepted[accept.state] = static_cast<unsigned char>(accept.rule);
  return accepted;
}

constexpr StateTable BuildJam(const NextTable& next) {
  StateTable jam{};
  for (int state = 0; state < kStateCount; ++state) {
    jam[state] = 1;
    for (int c = 0; c < kClassCount; ++c)
      if (next[state][c] != kDead) jam[state] = 0;
  }
  return jam;
}

}  // namespace tables_detail

// The class of each byte. A zero byte is read as the character 1.
inline constexpr ClassTable kCharClassOf = tables_detail::BuildClasses();
// The next state for each state and character class.
inline constexpr NextTable kNextState = tables_detail::BuildNext();
// The rule each state accepts, kNoRule for none.
inline constexpr StateTable kAcceptedRule = tables_detail::BuildAccepted();
// 1 for the states without a transition to a live state (jam states): the
// driver stops there, since no longer text can match.
inline constexpr StateTable kJamState = tables_detail::BuildJam(kNextState);

namespace tables_detail {

// The start state reaches an accepting state on every class: rule 9 matches
// any single character, so a token is always found.
constexpr bool StartAcceptsEveryCharacter() {
  for (int c = 0; c < kClassCount; ++c)
    if (kAcceptedRule[kNextState[kStart][c]] == kNoRule) return false;
  return true;
}
static_assert(StartAcceptsEveryCharacter(), "every character must begin a token");
static_assert(kJamState[kDead] && !kJamState[kStart], "the dead state jams, the start state does not");

}  // namespace tables_detail
}  // namespace qpx
