#include "yylexer.h"

#include "byte_search.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>

namespace {

const char kOverflow[] = "pclex PInput buffer overflowed";
const char kPushBackOverflow[] = "L0027: PCLEX scanner push-back overflow";

// The last position the push-back moves the data up to.
const int kTop = 2 * YYLexer::kChunk - 1;

YYLexer::FatalCleanup g_cleanup = nullptr;
void* g_cleanupContext = nullptr;

}  // namespace

YYLexer::YYLexer(FILE* input) : YYLexer(input, nullptr, 0) {}

YYLexer::YYLexer(const char* bytes, size_t length) : YYLexer(nullptr, bytes, length) {}

YYLexer::YYLexer(FILE* input, const char* bytes, size_t length)
    : yytext(nullptr),
      yyin(input),
      yymem(bytes),
      yymemleft(length),
      yybuf(new char[kBufferSize]),
      yystates(nullptr),
      yyheld(0),
      yytok(0),
      yycur(0),
      yyend(0),
      yyeof(0),
      yyleng(0),
      yyfirst(1) {
  try {
    yystates = new int[kBufferSize];
  } catch (...) {
    delete[] yybuf;
    throw;
  }
}

YYLexer::~YYLexer() {
  delete[] yystates;
  delete[] yybuf;
}

void YYLexer::Serialize(CArchive&) {}

void YYLexer::AssertValid() const {}

void YYLexer::Dump(CDumpContext&) const {}

int YYLexer::yylex() { return 0; }

int YYLexer::yywrap() { return 1; }

void YYLexer::SetFatalCleanup(FatalCleanup routine, void* context) {
  g_cleanup = routine;
  g_cleanupContext = context;
}

void YYLexer::yyfatal(const char* message) {
  fputs(message, stderr);
  fputs("\n", stderr);
  fflush(stderr);
  // Cleared first, so that a stop inside the routine cannot run it again.
  FatalCleanup cleanup = g_cleanup;
  g_cleanup = nullptr;
  if (cleanup) cleanup(g_cleanupContext);
  exit(1);
}

void YYLexer::yyoverflow() { yyfatal(kOverflow); }

void YYLexer::yyrefill() {
  if (yyend >= kChunk - 1) {
    // The pending part of the token goes to the front with its states, so
    // that a whole chunk fits behind it.
    const int pending = yyend - yytok + 1;
    if (pending >= kChunk) yyoverflow();
    if (yytok > 0) {
      memmove(yybuf, yybuf + yytok, static_cast<size_t>(pending));
      memmove(yystates, yystates + yytok, static_cast<size_t>(pending) * sizeof *yystates);
      yycur -= yytok;
      yyend -= yytok;
      yytok = 0;
    }
  }
  // Once the stream has reported its end it is not read again.
  if (yyeof) return;
  const size_t got = yyread(yybuf + yycur + 1, kChunk);
  // End of file and a failing read alike end the input.
  if (got == 0)
    yyeof = 1;
  else
    yyend = yycur + static_cast<int>(got);
}

size_t YYLexer::yyread(char* to, size_t count) {
  if (yyin) return fread(to, 1, count, yyin);
  // The input's position in locals while it runs, as the stores to `to`
  // could otherwise change them.
  const char* from = yymem;
  const char* const last = yymem + yymemleft;
  char* out = to;
  char* const end = to + count;
  while (out < end && from < last) {
    const size_t span = std::min(static_cast<size_t>(end - out), static_cast<size_t>(last - from));
    const size_t plain = CopyUpToByte(out, from, span, '\r');
    out += plain;
    from += plain;
    if (plain == span) continue;
    // At a CR: gone when an LF follows, else a character of the text.
    if (last - from < 2 || from[1] != '\n') *out++ = '\r';
    ++from;
  }
  yymemleft -= static_cast<size_t>(from - yymem);
  yymem = from;
  return static_cast<size_t>(out - to);
}

int YYLexer::yyinput() {
  yyrestore();
  if (yycur >= yyend) {
    if (yyeof) return kEndOfInput;
    // The token that called for more input is complete: the next chunk can
    // take the whole buffer from its front.
    const size_t got = yyread(yybuf, kChunk);
    yytok = 0;
    yycur = -1;
    yyend = static_cast<int>(got) - 1;
    if (got == 0) {
      yyeof = 1;
      return kEndOfInput;
    }
  }
  return static_cast<unsigned char>(yybuf[++yycur]);
}

void YYLexer::yyunput(int c) {
  yyrestore();
  if (yycur <= 0) {
    // No room in front of the cursor: the data moves up to the top.
    const int shift = kTop - yyend;
    if (yycur + shift <= 0) yyfatal(kPushBackOverflow);
    const int count = yyend + 1;
    memmove(yybuf + shift, yybuf, static_cast<size_t>(count));
    memmove(yystates + shift, yystates, static_cast<size_t>(count) * sizeof *yystates);
    yytok += shift;
    yycur += shift;
    yyend = kTop;
  }
  yybuf[yycur] = static_cast<char>(c);
  --yycur;
}
