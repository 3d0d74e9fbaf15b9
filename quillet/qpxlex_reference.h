// QPXlexReference: the comment scanner without any of QPXlex's shortcuts, for
// the tests (never part of the program). It runs the same automaton token by
// token and reads literals and line comments one character at a time through
// the read-ahead, so it yields the depth and the stops that the rules define.
// Tests, fuzzing and speed work compare QPXlex::yylex against it.
#pragma once

#include "qpxlex.h"

class QPXlexReference : public QPXlex {
 public:
  // Builds a scanner on `input`, a stream open for reading; the depth starts at 0.
  explicit QPXlexReference(FILE* input) : QPXlex(input) {}

  // Scans the whole input and returns 0, as QPXlex::yylex does; GetDepth
  // tells the result. Stops the process on the same overlong tokens.
  int yylex() override;

 private:
  void Act(int rule);
  void SkipLineComment();
  void SkipLiteral();
};
