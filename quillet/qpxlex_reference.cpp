#include "qpxlex_reference.h"

#include "qpxlex_tables.h"

int QPXlexReference::yylex() {
  yysetup();
  for (;;) {
    yyrestore();
    yytok = yycur + 1;
    const int rule = MatchToken();
    if (rule == qpx::kNoRule) {
      if (yywrap()) return 0;
      yyeof = 0;  // the input goes on
      continue;
    }
    Act(rule);
  }
}

void QPXlexReference::Act(int rule) {
  switch (rule) {
    case qpx::kRuleCommentOpener:
      ++m_depth;
      break;
    case qpx::kRuleCommentCloser:
      --m_depth;
      break;
    case qpx::kRuleLineComment:
      if (m_depth == 0) SkipLineComment();
      break;
    case qpx::kRuleQuote:
      if (m_depth == 0) SkipLiteral();
      break;
    default:
      break;
  }
}

void QPXlexReference::SkipLineComment() {
  for (;;) {
    const int c = yyinput();
    if (c == kEndOfInput || c == '\n') return;
  }
}

void QPXlexReference::SkipLiteral() {
  for (;;) {
    int c = yyinput();
    if (c == kEndOfInput) return;
    if (c != '\'') continue;
    c = yyinput();
    if (c == kEndOfInput) return;
    if (c != '\'') {
      yyunput(c);
      return;
    }
  }
}
