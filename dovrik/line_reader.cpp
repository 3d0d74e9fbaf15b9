#include "line_reader.h"

#include <string.h>

#if defined(_WIN32)
const char kReadMode[] = "rt";
const char kCreateMode[] = "w+t";
#else
const char kReadMode[] = "rb";
const char kCreateMode[] = "w+b";
#endif

namespace {

const char kLineEnd[] = "\r\n";

}  // namespace

LineReader::LineReader(FILE* stream, size_t blockSize)
    : m_stream(stream), m_blockSize(blockSize), m_block(blockSize + kReadAhead) {}

bool LineReader::Refill() {
  if (m_atEnd) return false;
  const size_t left = m_end - m_pos;
  memmove(m_block.data(), m_block.data() + m_pos, left);
  m_pos = 0;
  m_end = left;
  const size_t room = m_blockSize - m_end;
  const size_t got = fread(m_block.data() + m_end, 1, room, m_stream);
  // A short read is the end of the text, or an error that ends it.
  if (got < room) m_atEnd = true;
  m_end += got;
  return got > 0;
}

void LineReader::PutBackHeld() {
  if (m_holding) {
    m_block[m_heldAt] = m_held;
    m_holding = false;
  }
}

const char* LineReader::Unread(size_t* length) {
  PutBackHeld();
  *length = m_end - m_pos;
  return m_block.data() + m_pos;
}

void LineReader::Skip(size_t count) { m_pos += count; }

char* LineReader::Next(size_t* length) {
  PutBackHeld();
  const size_t most = kLineBufferSize - 1;
  for (;;) {
    char* start = m_block.data() + m_pos;
    const size_t available = m_end - m_pos;
    // A piece of `most` characters may be followed by the CR LF that ends
    // it; in the file it can take two bytes more.
    const size_t reach = kStreamsTranslate ? most : most + 2;
    const size_t span = available < reach ? available : reach;
    char* newline = static_cast<char*>(memchr(start, '\n', span));
    if (newline && !kStreamsTranslate && newline > start && newline[-1] == '\r') {
      // CR LF: one "\n" in memory, in place of the CR.
      const size_t piece = static_cast<size_t>(newline - start);  // with the "\n"
      if (piece <= most) {
        newline[-1] = '\n';
        newline[0] = '\0';
        m_pos += piece + 1;
        *length = piece;
        return start;
      }
    } else if (newline && static_cast<size_t>(newline - start) < most) {
      const size_t piece = static_cast<size_t>(newline - start) + 1;
      m_held = start[piece];
      m_heldAt = m_pos + piece;
      m_holding = true;
      start[piece] = '\0';
      m_pos += piece;
      *length = piece;
      return start;
    }
    // No line end within reach: a full piece if the data go far enough.
    // A CR at its end waits for the next byte, which decides whether it is
    // a line end.
    if (available > most && !(start[most - 1] == '\r' && start[most] == '\n' && !kStreamsTranslate)) {
      m_held = start[most];
      m_heldAt = m_pos + most;
      m_holding = true;
      start[most] = '\0';
      m_pos += most;
      *length = most;
      return start;
    }
    if (Refill()) continue;
    if (available == 0) return nullptr;
    // The rest of the text, without a line end. A final CR is a character.
    start = m_block.data() + m_pos;
    m_block[m_end] = '\0';
    m_pos = m_end;
    *length = available;
    return start;
  }
}

BlockWriter::BlockWriter(FILE* stream, size_t blockSize) : m_stream(stream), m_block(blockSize) {}

void BlockWriter::Put(const char* data, size_t length) {
  while (length > 0) {
    if (m_used == m_block.size()) Flush();
    size_t part = m_block.size() - m_used;
    if (part > length) part = length;
    memcpy(m_block.data() + m_used, data, part);
    m_used += part;
    data += part;
    length -= part;
  }
}

void BlockWriter::WriteText(const char* data, size_t length) {
  if (kStreamsTranslate) {
    Put(data, length);
    return;
  }
  const char* end = data + length;
  while (data < end) {
    const char* newline = static_cast<const char*>(memchr(data, '\n', static_cast<size_t>(end - data)));
    if (!newline) {
      Put(data, static_cast<size_t>(end - data));
      return;
    }
    Put(data, static_cast<size_t>(newline - data));
    Put(kLineEnd, 2);
    data = newline + 1;
  }
}

void BlockWriter::WriteLine(const char* line, size_t length) {
  Put(line, length);
  if (kStreamsTranslate)
    Put("\n", 1);
  else
    Put(kLineEnd, 2);
}

char* BlockWriter::Reserve(size_t size, char** end) {
  if (m_block.size() - m_used < size) Flush();
  if (m_block.size() < size) m_block.resize(size);
  *end = m_block.data() + m_block.size();
  return m_block.data() + m_used;
}

void BlockWriter::Commit(const char* end) { m_used = static_cast<size_t>(end - m_block.data()); }

void BlockWriter::Flush() {
  if (m_used > 0) fwrite(m_block.data(), 1, m_used, m_stream);
  m_used = 0;
}
