// The preparing of a whole script: every piece of the input, as LineReader
// cuts it, is prepared (PrepareLine), cut free of trailing white space and,
// unless a comment holds it, written with a line end. The comment depth
// carries from line to line.
//
// The plain way takes the input piece by piece. The fast way takes the
// ordinary lines of each block straight from the block, without copying or
// translating them first, sixteen bytes at a time (text_chunk.h), and leaves
// every other piece (a line with a zero byte or a lone CR, a line longer than
// a piece, the line that runs past the block) to the plain way. Both give the
// same bytes.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "line_reader.h"
#include "prepare_line.h"

class ScriptPreparer {
 public:
  // `quoteFlag`: double quotes become single quotes. `hashCommentFlag`: lines
  // that begin with "#" or ";" are dropped.
  ScriptPreparer(bool quoteFlag, bool hashCommentFlag);

  // Prepares the rest of the input into `out`, the fast way, each piece it
  // does not take prepared the plain way. A read error ends the input.
  void PrepareAll(LineReader& in, BlockWriter& out);

  // The plain way: prepares one piece as LineReader::Next delivers it
  // (rewriting it in place) and writes it to `out` if it is kept.
  void PreparePiece(char* piece, BlockWriter& out);

  // The fast way: prepares the lines at the start of `text` (`length` bytes
  // as in the file, kReadAhead readable bytes after them) that are one piece
  // each and hold neither a zero byte nor a lone CR, and writes what is kept
  // to `out`. Returns how many bytes it took: it stops before the first line
  // that it leaves to the plain way, or that does not end within the text.
  size_t PrepareLines(const char* text, size_t length, BlockWriter& out);

 private:
  // Commits what the fast way wrote; returns how much of `text` it took,
  // the lines before `line`.
  static size_t Taken(const char* text, const char* line, BlockWriter& out, const char* written);
  // Writes the prepared form of the text that the comments left.
  char* WriteKept(const KeptText& kept, char* out);
  // Whether a line prepared to a text that is not empty is written: at depth
  // 0, and on the line that opens a comment from depth 0, which keeps its
  // text before the opener. The lines inside a comment, and every line while
  // surplus closers hold the depth below zero, are left out.
  bool KeepsLine() const { return m_depth == 0 || (m_depth > 0 && m_previousDepth == 0); }

  const bool m_quoteFlag;
  const bool m_hashCommentFlag;
  int m_depth = 0;
  int m_previousDepth = 0;  // the depth after the line before
  std::vector<char> m_joined;  // code, comment, code: the two codes side by side
  std::vector<uint16_t> m_lineFeeds;  // where the lines of a stretch end, from its start
};
