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
  // Builds a scanner on the `length` bytes of a script at `bytes` (as the
  // file holds them; read as a text-mode stream reads them), which must stay
  // valid while it runs.
  QPXlex(const char* bytes, size_t length);
  ~QPXlex() override;

  // Scans the whole input and returns 0. Afterwards GetDepth tells the
  // count of comment openers minus closers. A token of 128000 characters or
  // more (a run of blanks or line ends) stops the process with exit code 1.
  int yylex() override;

  // Comment openers minus closers seen so far; negative after surplus closers.
  int GetDepth() const { return m_depth; }

 protected:
  // Runs the automaton from the token start and backs up to the longest
  // accepted text: its rule, with the token text set, or qpx::kNoRule when
  // the input is exhausted before the token's first character.
  int MatchToken();

  int m_depth;

 private:
  void Act(int rule);
  void SkipWhiteSpace();
  void SkipLineComment();
  void SkipLiteral();
  bool SkipPast(char wanted);
};
