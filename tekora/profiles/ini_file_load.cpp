// PAIniFile::Load: reads an INI file's text into the object, merging it
// with what the object already holds.
#include <ctype.h>
#include <string.h>

#include <memory>
#include <new>

#include <tekora/ini_file.h>

#include "../config/shared_text_pack.h"

namespace {

bool IsWhite(char c) { return isspace(static_cast<unsigned char>(c)) != 0; }

// Trims white space off both ends of [*begin, *end).
void Trim(char** begin, char** end) {
  while (*begin < *end && IsWhite(**begin)) ++*begin;
  while (*end > *begin && IsWhite((*end)[-1])) --*end;
}

// Ends a name or value at its first NUL byte, where its zero-terminated
// copy would end, and trims the white space before it there, as it is
// trimmed at the end of a line: so a saved file reads back the same.
void EndAtNul(char* begin, char** end) {
  char* nul = static_cast<char*>(memchr(begin, '\0', static_cast<size_t>(*end - begin)));
  if (nul == NULL) return;
  *end = nul;
  while (*end > begin && IsWhite((*end)[-1])) --*end;
}

// The end of a section header's name on the trimmed line [begin, end), or
// null when the line is no header. A header starts with "[" and ends with
// "]": the whole line, or its text before the first NUL byte, trimmed. In
// the second case the line's saved form (the key up to "=", the value up to
// the NUL) would read back as that header, so it is one already.
char* HeaderNameEnd(char* begin, char* end) {
  if (*begin != '[') return NULL;
  if (end - begin >= 2 && end[-1] == ']') return end - 1;
  char* cut = end;
  EndAtNul(begin, &cut);
  if (cut - begin >= 2 && cut[-1] == ']') return cut - 1;
  return NULL;
}

// The lines of a file as a text-mode stream gives them (a CR LF pair and a
// LF alone both end a line; any other CR is text), read in large pieces so
// that a line costs no call and no allocation of its own. A line may be of
// any length.
class LineReader {
 public:
  // The buffer is not cleared first: only the bytes read are ever looked at.
  // It is sized to the file, up to one piece: most files are a small part
  // of one, and a tree's load reads many of them one after the other.
  explicit LineReader(CFile& file) : m_file(file), m_nSize(FirstSize(file)) { m_buffer.reset(new char[m_nSize]); }

  // The next line without its line end as [*begin, *end), in the reader's
  // own buffer: the caller may change it, including the byte at *end.
  // False at the end of the file. Throws CFileException on a read error.
  bool Next(char** begin, char** end) {
    for (;;) {
      char* data = m_buffer.get();
      char* lf = static_cast<char*>(memchr(data + m_nStart, '\n', m_nFilled - m_nStart));
      if (lf != NULL) {
        *begin = data + m_nStart;
        *end = lf > *begin && lf[-1] == '\r' ? lf - 1 : lf;
        m_nStart = static_cast<size_t>(lf - data) + 1;
        return true;
      }
      if (m_bAtEnd) {
        if (m_nStart == m_nFilled) return false;
        *begin = data + m_nStart;
        *end = data + m_nFilled;  // the buffer always has one byte more
        m_nStart = m_nFilled;
        return true;
      }
      Refill();
    }
  }

 private:
  static const size_t kPiece = 1 << 20;

  // Room for the whole file and the read that finds its end, up to a piece,
  // and the byte after the text.
  static size_t FirstSize(CFile& file) {
    const ULONGLONG length = file.GetLength();
    return (length < kPiece ? static_cast<size_t>(length) + 1 : kPiece) + 1;
  }

  void Refill() {
    // The unfinished line moves to the front; a line longer than the buffer
    // makes it grow.
    if (m_nStart > 0) {
      memmove(m_buffer.get(), m_buffer.get() + m_nStart, m_nFilled - m_nStart);
      m_nFilled -= m_nStart;
      m_nStart = 0;
    }
    // A buffer smaller than a piece grows only when it is full: it was sized
    // to the file, which may have grown since.
    const size_t room = m_nSize - 1 - m_nFilled;
    if (room < kPiece / 2 && (room == 0 || m_nSize - 1 >= kPiece)) Grow();
    UINT read = m_file.Read(m_buffer.get() + m_nFilled, static_cast<UINT>(m_nSize - 1 - m_nFilled));
    if (read == 0) m_bAtEnd = true;
    m_nFilled += read;
  }

  // Twice the room for text, with the unfinished line kept.
  void Grow() {
    const size_t size = 2 * (m_nSize - 1) + 1;
    std::unique_ptr<char[]> grown(new char[size]);
    memcpy(grown.get(), m_buffer.get(), m_nFilled);
    m_buffer.swap(grown);
    m_nSize = size;
  }

  CFile& m_file;
  std::unique_ptr<char[]> m_buffer;
  size_t m_nSize;
  size_t m_nStart = 0;
  size_t m_nFilled = 0;
  bool m_bAtEnd = false;
};

}  // namespace

int PAIniFile::Load() {
  CFile file;
  try {
    if (!file.Open(m_strPath, CFile::modeRead | CFile::modeCreate | CFile::modeNoTruncate | CFile::shareDenyWrite)) {
      return 0;
    }
  } catch (CException* e) {
    e->Delete();
    return 0;
  }

  try {
    LineReader reader(file);
    // The file's keys and values, packed rather than one allocation each.
    tekora::SharedTextPack texts;
    PAIniSection* current = NULL;
    // The section read before the current one: a new key that it lists at
    // the same place shares its text.
    PAIniSection* previous = NULL;
    char* begin;
    char* end;
    while (reader.Next(&begin, &end)) {
      // Names and values are cut out in the reader's buffer and handed on as
      // zero-terminated texts, without copies of their own.
      Trim(&begin, &end);
      if (begin == end || *begin == ';') continue;
      char* nameEnd = HeaderNameEnd(begin, end);
      if (nameEnd != NULL) {
        char* nameBegin = begin + 1;
        Trim(&nameBegin, &nameEnd);
        EndAtNul(nameBegin, &nameEnd);
        *nameEnd = '\0';
        AddSection(nameBegin, 0);
        if (current != NULL) {
          // Its lines are read: the room it kept for more goes back before
          // the next section takes its own.
          current->FreeExtra();
          previous = current;
        }
        // "[]" names no section: the lines up to the next header are skipped.
        current = FindSection(nameBegin);
        continue;
      }
      if (current == NULL) continue;
      char* equals = static_cast<char*>(memchr(begin, '=', static_cast<size_t>(end - begin)));
      if (equals == NULL) continue;
      char* keyEnd = equals;
      while (keyEnd > begin && IsWhite(keyEnd[-1])) --keyEnd;
      char* value = equals + 1;
      while (value < end && IsWhite(*value)) ++value;
      EndAtNul(begin, &keyEnd);
      EndAtNul(value, &end);
      // Saved, a key that starts with "[" and a value that ends with "]"
      // would read back as a header. Such a line is no header only when a
      // NUL byte cuts its key; up to that byte it holds no "=", so it is no
      // entry either.
      if (*begin == '[' && end > value && end[-1] == ']') continue;
      *keyEnd = '\0';
      *end = '\0';
      current->SetEntry(begin, value, 0, previous, &texts);
    }
    if (current != NULL) current->FreeExtra();
    file.Close();
  } catch (CException* e) {
    // A read error: what was read stays merged, and the result says that
    // the file was not read whole.
    e->Delete();
    file.Abort();
    return 0;
  } catch (const std::bad_alloc&) {
    file.Abort();
    return 0;
  }
  m_bModified = 0;
  return 1;
}
