// Block-wise reading and writing of a script's text for the preparer: the
// files are read and written in large blocks, and the lines are cut out of
// the blocks in memory, exactly as a line reader on a text-mode stream with a
// buffer of kLineBufferSize bytes would deliver them.
//
// Text mode: on Windows the runtime's text streams translate; elsewhere the
// files are opened in binary and the translation is done here (CR LF in the
// file is "\n" in memory, "\n" in memory is CR LF in the file, a lone CR is
// an ordinary character), which spares a second pass over every byte.
#pragma once

#include <stddef.h>
#include <stdio.h>

#include <vector>

// One read of the line reader holds at most this many characters minus one.
const size_t kLineBufferSize = 16384;

// How many bytes after the unread text of a LineReader may be read (their
// values mean nothing), so that a scan can take 16 bytes at a time.
const size_t kReadAhead = 16;

// Whether this platform's text-mode streams translate line ends themselves.
#if defined(_WIN32)
const bool kStreamsTranslate = true;
#else
const bool kStreamsTranslate = false;
#endif

// The fopen modes of the preparer's input and output: text mode, translated
// by the stream or by LineReader and BlockWriter.
extern const char kReadMode[];
extern const char kCreateMode[];

// Delivers the text of a stream as pieces: a line with its "\n", or the
// kLineBufferSize - 1 characters of a longer line that come next, or the
// rest of the text before its end. A read error ends the text like its end.
class LineReader {
 public:
  // Reads `stream` (opened with kReadMode), which stays owned by the caller.
  // `blockSize` (at least 2 * kLineBufferSize) is the size of one read.
  explicit LineReader(FILE* stream, size_t blockSize = 1024 * 1024);

  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // The next piece, zero-terminated, with its length in *length (it may
  // hold zero bytes of its own); null at the end of the text. The piece may
  // be changed in place up to its terminating zero, and stays valid until
  // the next call.
  char* Next(size_t* length);

  // The unread text of the current block as the stream gave it (where the
  // stream does not translate, with the line ends of the file), its length
  // in *length; kReadAhead bytes after it can be read. Valid until the next
  // call of Next, Unread or Skip.
  const char* Unread(size_t* length);
  // Takes the first `count` bytes of the unread text as read; Next goes on
  // after them. `count` must end a line (or be 0).
  void Skip(size_t count);

 private:
  // Puts back the byte that the last piece's terminating zero displaced.
  void PutBackHeld();
  // Moves the unread bytes to the front and reads more behind them; false
  // when nothing more came.
  bool Refill();

  FILE* m_stream;
  size_t m_blockSize;
  std::vector<char> m_block;  // a read and kReadAhead bytes more (room for a terminating zero)
  size_t m_pos = 0;           // the unread bytes are [m_pos, m_end)
  size_t m_end = 0;
  bool m_atEnd = false;
  size_t m_heldAt = 0;  // where the last piece's zero displaced a byte, if m_holding
  char m_held = 0;
  bool m_holding = false;
};

// Collects output text and writes it to a stream (opened with kCreateMode)
// in large blocks. What it holds reaches the stream only through Flush.
class BlockWriter {
 public:
  explicit BlockWriter(FILE* stream, size_t blockSize = 1024 * 1024);

  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  // Text as it is in memory: every "\n" becomes a line end.
  void WriteText(const char* data, size_t length);
  // A line (without "\n") followed by a line end.
  void WriteLine(const char* line, size_t length);
  // Room straight after what is held, at least `size` bytes (what is held
  // is written to the stream first if the block has less): returns its
  // start, and its end in *end. The caller fills a part of it with text as
  // it goes to the stream (CR LF line ends where the stream does not
  // translate) and passes the end of what it wrote to Commit.
  char* Reserve(size_t size, char** end);
  void Commit(const char* end);
  // Writes what is held to the stream (a failure to write goes unreported,
  // as with the stream's own buffering).
  void Flush();

 private:
  void Put(const char* data, size_t length);

  FILE* m_stream;
  std::vector<char> m_block;
  size_t m_used = 0;
};
