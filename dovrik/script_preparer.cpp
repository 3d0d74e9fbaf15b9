#include "script_preparer.h"

#include <string.h>

#include "text_chunk.h"

namespace {

// The most characters a line can hold and still be one piece with its "\n".
const size_t kMostInPiece = kLineBufferSize - 2;
// The most one line can add to the output, with the bytes that a chunk's
// store may write past its end.
const size_t kLineRoom = kMostInPiece + 2 + kChunkSize;
// How far ahead the line feeds are found at once: at first, and at most.
const size_t kFirstStretch = 256;
const size_t kStretch = 4096;

// Cuts trailing blanks, tabs, CR and LF off the line of the given length;
// returns its new length.
size_t TrimTrailing(char* line, size_t length) {
  while (length > 0) {
    char c = line[length - 1];
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') break;
    --length;
  }
  line[length] = '\0';
  return length;
}

// The line end of the output: one "\n" for a stream that translates it,
// else CR LF.
char* PutLineEnd(char* out) {
  if (!kStreamsTranslate) *out++ = '\r';
  *out++ = '\n';
  return out;
}

// Writes the first `count` bytes of the chunk in their prepared form to
// `out`, each blank that follows a blank left out; *afterBlank (0 or 1) says
// whether the byte before the chunk was a blank, and then whether its last
// byte was (what a chunk that is not full leaves there means nothing).
// Returns the end of what it wrote.
inline char* SqueezeChunk(const TextChunk& chunk, size_t count, unsigned* afterBlank, char* out) {
  const unsigned blanks = chunk.Blanks();
  const unsigned drop = blanks & ((blanks << 1) | *afterBlank) & ((1u << count) - 1);
  *afterBlank = (blanks >> (kChunkSize - 1)) & 1;
  return chunk.Store(drop, count, out);
}

}  // namespace

ScriptPreparer::ScriptPreparer(bool quoteFlag, bool hashCommentFlag)
    : m_quoteFlag(quoteFlag),
      m_hashCommentFlag(hashCommentFlag),
      m_joined(kMostInPiece + kChunkSize),
      m_lineFeeds(kStretch) {}

void ScriptPreparer::PrepareAll(LineReader& in, BlockWriter& out) {
  for (;;) {
    size_t length;
    const char* text = in.Unread(&length);
    in.Skip(PrepareLines(text, length, out));
    char* piece = in.Next(&length);
    if (piece == nullptr) return;
    PreparePiece(piece, out);
  }
}

void ScriptPreparer::PreparePiece(char* piece, BlockWriter& out) {
  size_t length = PrepareLine(piece, m_depth, m_quoteFlag, m_hashCommentFlag);
  length = TrimTrailing(piece, length);
  if (length > 0 && KeepsLine()) out.WriteLine(piece, length);
  m_previousDepth = m_depth;
}

size_t ScriptPreparer::PrepareLines(const char* text, size_t length, BlockWriter& out) {
  const char* line = text;
  const char* const end = text + length;
  char* roomEnd;
  char* written = out.Reserve(kLineRoom, &roomEnd);
  // The first stretches are short, so that a line left to the plain way
  // soon after the start costs little.
  size_t stretchSize = kFirstStretch;
  // Copies the compiler need not read again after each byte written.
  uint16_t* const lineFeeds = m_lineFeeds.data();
  const bool quoteFlag = m_quoteFlag;
  const bool hashCommentFlag = m_hashCommentFlag;
  while (line < end) {
    // The line feeds of the next stretch are found first, so that where a
    // line starts never waits for the scan of the line before it.
    const char* const stretchEnd = static_cast<size_t>(end - line) < stretchSize ? end : line + stretchSize;
    if (stretchSize < kStretch) stretchSize *= 2;
    size_t lineCount = 0;
    for (const char* at = line; at < stretchEnd; at += kChunkSize) {
      unsigned feeds = TextChunk::LineFeedMask(at);
      if (static_cast<size_t>(stretchEnd - at) < kChunkSize) feeds &= (1u << (stretchEnd - at)) - 1;
      for (; feeds != 0; feeds &= feeds - 1)
        lineFeeds[lineCount++] = static_cast<uint16_t>(at - line + LowestBit(feeds));
    }
    const char* const stretch = line;
    const char* longLineFeed = nullptr;
    if (lineCount == 0) {
      // A line longer than the stretch.
      const size_t reach = static_cast<size_t>(end - line) < kMostInPiece + 2 ? end - line : kMostInPiece + 2;
      longLineFeed = static_cast<const char*>(memchr(line, '\n', reach));
      if (longLineFeed == nullptr) break;
      lineCount = 1;
    }

    for (size_t i = 0; i < lineCount; ++i) {
      if (static_cast<size_t>(roomEnd - written) < kLineRoom) {
        out.Commit(written);
        written = out.Reserve(kLineRoom, &roomEnd);
      }
      const char* const lineFeed = longLineFeed != nullptr ? longLineFeed : stretch + lineFeeds[i];
      const char* const lineEnd =
          !kStreamsTranslate && lineFeed > line && lineFeed[-1] == '\r' ? lineFeed - 1 : lineFeed;
      if (static_cast<size_t>(lineEnd - line) > kMostInPiece) return Taken(text, line, out, written);

      // A line comment is dropped whatever it holds, zero bytes and lone CRs
      // included, and leaves the depth alone.
      if (IsLineComment(line, hashCommentFlag)) {
        line = lineFeed + 1;
        continue;
      }

      // A line at depth 0 is prepared as it is scanned, its leading tabs
      // left out, until a star shows that it may hold braces; then, as every
      // line at another depth, it is scanned to its end (for zero bytes and
      // lone CRs, which are for the plain way) and its comments are cut.
      bool squeezing = m_depth == 0;
      const char* at = line;
      if (squeezing) {
        unsigned tabs;
        do {
          tabs = TextChunk::CountLeadingTabs(at);
          at += tabs;
        } while (tabs == kChunkSize && at < lineEnd);
        if (at > lineEnd) at = lineEnd;
      }
      char* squeezed = written;
      unsigned afterBlank = 0;
      for (; at < lineEnd; at += kChunkSize) {
        const TextChunk chunk(at, quoteFlag);
        const size_t count = static_cast<size_t>(lineEnd - at) < kChunkSize ? lineEnd - at : kChunkSize;
        const unsigned valid = (1u << count) - 1;
        for (unsigned unusual = chunk.Unusual() & valid; unusual != 0; unusual &= unusual - 1) {
          // A zero byte or a lone CR is for the plain way.
          if (at[LowestBit(unusual)] != '*') return Taken(text, line, out, written);
          squeezing = false;
        }
        if (squeezing) squeezed = SqueezeChunk(chunk, count, &afterBlank, squeezed);
      }

      if (squeezing) {
        // A blank at the end goes, and a line that is left empty is not
        // written.
        if (squeezed > written && squeezed[-1] == ' ') --squeezed;
        if (squeezed > written) written = PutLineEnd(squeezed);
      } else {
        const KeptText kept = CutComments(line, lineEnd, m_depth);
        if (KeepsLine()) written = WriteKept(kept, written);
        m_previousDepth = m_depth;
      }
      line = lineFeed + 1;
    }
  }
  return Taken(text, line, out, written);
}

size_t ScriptPreparer::Taken(const char* text, const char* line, BlockWriter& out, const char* written) {
  out.Commit(written);
  return static_cast<size_t>(line - text);
}

char* ScriptPreparer::WriteKept(const KeptText& kept, char* out) {
  const char* from = kept.head;
  const char* to = kept.headEnd;
  if (kept.tail < kept.tailEnd) {
    // The leading tabs and the blank runs may reach across the join.
    const size_t headLength = static_cast<size_t>(kept.headEnd - kept.head);
    const size_t tailLength = static_cast<size_t>(kept.tailEnd - kept.tail);
    memcpy(m_joined.data(), kept.head, headLength);
    memcpy(m_joined.data() + headLength, kept.tail, tailLength);
    from = m_joined.data();
    to = from + headLength + tailLength;
  }
  while (from < to && *from == '\t') ++from;

  char* written = out;
  unsigned afterBlank = 0;
  for (; from < to; from += kChunkSize) {
    const size_t left = static_cast<size_t>(to - from);
    written = SqueezeChunk(TextChunk(from, m_quoteFlag), left < kChunkSize ? left : kChunkSize, &afterBlank, written);
  }
  if (written > out && written[-1] == ' ') --written;
  return written > out ? PutLineEnd(written) : out;
}
