// YYLexer: the generic part of quillet's table-driven scanners. It owns the
// input buffer with one automaton state per buffered character, refills it
// from a stream in large chunks, offers the read-ahead and push-back that rule
// actions use, and stops the process on the scanner's fatal conditions.
// A derived scanner supplies the automaton, the rule actions and yylex.
#pragma once

#include <stdio.h>

#include <afx.h>

class YYLexer : public CObject {
 public:
  // Size of one read from the stream; every token must be shorter than this.
  static const int kChunk = 128000;
  // Characters (and states) the buffer holds: two chunks and a small margin.
  static const int kBufferSize = 2 * kChunk + 16;

  // Builds a scanner reading `input`, which stays owned by the caller and
  // must stay open while the scanner runs. Allocates the buffer and the state
  // array (throws on lack of memory).
  explicit YYLexer(FILE* input);
  // Builds a scanner reading the `length` bytes at `bytes` (a file's bytes as
  // it holds them), which stay owned by the caller and must stay valid while
  // the scanner runs. It reads them as a text-mode stream on the file would
  // give them: the CR of every CR LF is dropped.
  YYLexer(const char* bytes, size_t length);
  // Frees the buffer and the state array; the stream is left open.
  ~YYLexer() override;

  YYLexer(const YYLexer&) = delete;
  YYLexer& operator=(const YYLexer&) = delete;

  // A scanner has nothing to store, check or describe: these do nothing.
  void Serialize(CArchive& ar) override;
  void AssertValid() const override;
  void Dump(CDumpContext& dc) const override;

  // Scans the input; the generic scanner has no rules and returns 0 at once.
  virtual int yylex();
  // Asked at the end of the input whether the scan is over: 1, no further input.
  virtual int yywrap();

  // Value of the read-ahead at the end of the input; distinct from 0..255.
  static const int kEndOfInput = EOF;

  // Sets the routine that a fatal stop runs just before the process exits,
  // so that whoever started the scan can close and remove the files it made
  // for it. One for the whole process; null for none.
  typedef void (*FatalCleanup)(void* context);
  static void SetFatalCleanup(FatalCleanup routine, void* context);

 protected:
  // Reads the next input character for a rule action: 0..255, or
  // kEndOfInput. The character is consumed: the next token starts after it.
  int yyinput();
  // Puts `c` back in front of the cursor, so that the next token starts with it.
  void yyunput(int c);

  // Sets up the empty buffer at the first call of yylex; afterwards does nothing.
  void yysetup() {
    if (yyfirst) {
      yycur = 0;
      yyend = 0;
      yyleng = 0;
      yyeof = 0;
      yyfirst = 0;
    }
  }
  // Puts the character displaced by the current token's terminating zero back
  // into the buffer. Does nothing when no character is held.
  void yyrestore() {
    if (yytext) {
      yytext[yyleng] = yyheld;
      yytext = nullptr;
    }
  }
  // Makes yytext the characters from the token start to the cursor, ended by
  // a zero; the character that the zero displaces is held.
  void yysettext() {
    yytext = yybuf + yytok;
    yyleng = yycur - yytok + 1;
    yyheld = yytext[yyleng];
    yytext[yyleng] = '\0';
  }

  // Called with the cursor at the end of the data while a token wants more:
  // moves the pending token to the front when the data has reached the middle
  // of the buffer, stops on a token of kChunk characters or more, and reads
  // the next chunk behind the cursor unless the end of the input was seen.
  void yyrefill();
  // Reads up to `count` characters of the input to `to`, as fread does:
  // fewer only at the end of the input (or on a read error). Returns the count.
  // Input in memory loses the CR of each CR LF on the way.
  size_t yyread(char* to, size_t count);

  // Writes `message` and a line end to standard error, runs the fatal cleanup
  // routine and ends the process with exit code 1.
  [[noreturn]] static void yyfatal(const char* message);
  // The fatal stop for a token of kChunk characters or more, which the
  // buffer cannot be relied on to hold whole.
  [[noreturn]] static void yyoverflow();

  // The scanner's state. Positions index yybuf and yystates; the cursor is
  // the position of the last character consumed, the data ends at yyend.
  char* yytext;     // current token text (null when no character is held)
  FILE* yyin;       // input stream, or null for input held in memory
  const char* yymem;  // input held in memory: the bytes not read yet
  size_t yymemleft;   // and their count
  char* yybuf;      // kBufferSize characters
  int* yystates;    // kBufferSize automaton states, one per buffer position
  char yyheld;      // buffer character displaced by the token's zero
  int yytok;        // token start
  int yycur;        // cursor
  int yyend;        // end of the data
  int yyeof;        // the stream has reported the end of the input
  int yyleng;       // current token length
  int yyfirst;      // 1 until the first yylex has set up the buffer

 private:
  // Reads `input` if it is not null, else the bytes at `bytes`.
  YYLexer(FILE* input, const char* bytes, size_t length);
};
