// QPXlex: the SQL comment scanner. It counts block-comment braces ("/*" and
// "*/") outside quoted literals and line comments, and does not take the
// settings block markers "/*VOXTAG" and "VOXTAG*/" for braces.
#pragma once

#include "yylexer.h"

class QPXlex : public YYLexer {
 public:
  // Builds a scanner on `input`, a stream open for reading (text mode for
  // scripts); the depth starts at 0.
  explicit QPXlex(FILE* input);
  // Builds a scanner on the `length` characters at `text` (the text as a
  // text-mode stream would give it), which must stay valid while it runs.
  QPXlex(const char* text, size_t length);
  ~QPXlex() override;

  // Scans the whole input and returns 0. Afterwards GetDepth tells the
  // count of comment openers minus closers. A token of 128000 characters or
  // more (a run of blanks or line ends) stops the process with exit code 1.
  int yylex() override;

  // The same scan as yylex, token by token through the automaton and the
  // read-ahead with no shortcut. Slower; it yields the same depth and stops
  // on the same input, and serves to check the shortcuts of yylex.
  int yylexStepwise();

  // Comment openers minus closers seen so far; negative after surplus closers.
  int GetDepth() const { return m_depth; }

 private:
  template <bool kShortcuts>
  int Scan();
  template <bool kShortcuts>
  void Act(int rule);
  int MatchToken();
  void SkipWhiteSpace();
  void SkipLineComment();
  void SkipLiteral();
  void SkipLineCommentStepwise();
  void SkipLiteralStepwise();
  bool SkipPast(char wanted);

  int m_depth;
};
