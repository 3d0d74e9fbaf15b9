#include "script_preparer.h"

#include <string.h>

#include "text_chunk.h"

namespace {

// The most characters a line can hold and still be one piece with its "\n".
const size_t kMostInPiece = kLineBufferSize - 2;
// The most one line can add to the output, with the bytes that a chunk's
// store may write past its end.
const size_t kLineRoom = kMostInPiece + 2 + kChunkSize;

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
// byte was. Returns the end of what it wrote.
char* SqueezeChunk(const TextChunk& chunk, size_t count, unsigned* afterBlank, char* out) {
  const unsigned blanks = chunk.Blanks() & ((1u << count) - 1);
  const unsigned drop = blanks & ((blanks << 1) | *afterBlank);
  if (count > 0) *afterBlank = (blanks >> (count - 1)) & 1;
  return chunk.Store(drop, count, out);
}

}  // namespace

ScriptPreparer::ScriptPreparer(bool quoteFlag, bool hashCommentFlag)
    : m_quoteFlag(quoteFlag), m_hashCommentFlag(hashCommentFlag), m_joined(kMostInPiece + kChunkSize) {}

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
  while (line < end) {
    if (static_cast<size_t>(roomEnd - written) < kLineRoom) {
      out.Commit(written);
      written = out.Reserve(kLineRoom, &roomEnd);
    }
    const char* next = nullptr;
    Outcome outcome = kNotOrdinary;
    if (m_depth == 0 && !IsLineComment(line, m_hashCommentFlag))
      outcome = SqueezeOrdinaryLine(line, end, &next, &written);
    if (outcome == kNotOrdinary) outcome = CutAndSqueezeLine(line, end, &next, &written);
    if (outcome == kLeftToPlain) break;
    line = next;
  }
  out.Commit(written);
  return static_cast<size_t>(line - text);
}

ScriptPreparer::Outcome ScriptPreparer::SqueezeOrdinaryLine(const char* line, const char* end, const char** next,
                                                            char** out) {
  // Leading tabs go; what follows is written as it is scanned, and kept
  // only if the line turns out to be ordinary.
  const char* at = line;
  while (at < end && *at == '\t') ++at;
  char* written = *out;
  unsigned afterBlank = 0;
  for (;;) {
    const TextChunk chunk(at, m_quoteFlag);
    const size_t left = static_cast<size_t>(end - at);
    unsigned lineEnds = chunk.LineEnds();
    if (left < kChunkSize) lineEnds &= (1u << left) - 1;
    const size_t count = lineEnds != 0 ? LowestBit(lineEnds) : (left < kChunkSize ? left : kChunkSize);
    if ((chunk.Unusual() & ((1u << count) - 1)) != 0) return kNotOrdinary;
    written = SqueezeChunk(chunk, count, &afterBlank, written);
    if (lineEnds != 0) {
      at += count;
      break;
    }
    if (left <= kChunkSize) return kLeftToPlain;  // the line runs past the text
    at += kChunkSize;
    if (static_cast<size_t>(at - line) > kMostInPiece) return kLeftToPlain;
  }

  // `at` is the first CR or LF: the end of the line, or a lone CR.
  const char* lineFeed = at;
  if (*at == '\r') {
    if (kStreamsTranslate || end - at < 2 || at[1] != '\n') return kLeftToPlain;
    lineFeed = at + 1;
  }
  if (static_cast<size_t>(at - line) > kMostInPiece) return kLeftToPlain;

  // A blank at the end goes, and a line that is left empty is not written.
  if (written > *out && written[-1] == ' ') --written;
  if (written > *out) *out = PutLineEnd(written);
  *next = lineFeed + 1;
  return kPrepared;
}

ScriptPreparer::Outcome ScriptPreparer::CutAndSqueezeLine(const char* line, const char* end, const char** next,
                                                          char** out) {
  const size_t reach = static_cast<size_t>(end - line) < kMostInPiece + 2 ? static_cast<size_t>(end - line)
                                                                          : kMostInPiece + 2;
  const char* lineFeed = static_cast<const char*>(memchr(line, '\n', reach));
  if (lineFeed == nullptr) return kLeftToPlain;
  const char* lineEnd = !kStreamsTranslate && lineFeed > line && lineFeed[-1] == '\r' ? lineFeed - 1 : lineFeed;
  const size_t length = static_cast<size_t>(lineEnd - line);
  if (length > kMostInPiece || memchr(line, '\0', length) != nullptr || memchr(line, '\r', length) != nullptr)
    return kLeftToPlain;

  *next = lineFeed + 1;
  if (!IsLineComment(line, m_hashCommentFlag)) {
    const KeptText kept = CutComments(line, lineEnd, m_depth);
    if (KeepsLine()) *out = WriteKept(kept, *out);
  }
  m_previousDepth = m_depth;
  return kPrepared;
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
