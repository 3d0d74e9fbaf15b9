// PAIniFile::Load: reads an INI file's text into the object, merging it
// with what the object already holds.
#include <ctype.h>
#include <string.h>

#include <new>
#include <vector>

#include <tekora/ini_file.h>

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

// The lines of a file as a text-mode stream gives them (a CR LF pair and a
// LF alone both end a line; any other CR is text), read in large pieces so
// that a line costs no call and no allocation of its own. A line may be of
// any length.
class LineReader {
 public:
  explicit LineReader(CFile& file) : file_(file), buffer_(kPiece + 1) {}

  // The next line without its line end as [*begin, *end), in the reader's
  // own buffer: the caller may change it, including the byte at *end.
  // False at the end of the file. Throws CFileException on a read error.
  bool Next(char** begin, char** end) {
    for (;;) {
      char* data = buffer_.data();
      char* lf = static_cast<char*>(memchr(data + start_, '\n', filled_ - start_));
      if (lf != NULL) {
        *begin = data + start_;
        *end = lf > *begin && lf[-1] == '\r' ? lf - 1 : lf;
        start_ = static_cast<size_t>(lf - data) + 1;
        return true;
      }
      if (atEnd_) {
        if (start_ == filled_) return false;
        *begin = data + start_;
        *end = data + filled_;  // the buffer always has one byte more
        start_ = filled_;
        return true;
      }
      Refill();
    }
  }

 private:
  static const size_t kPiece = 1 << 20;

  void Refill() {
    // The unfinished line moves to the front; a line longer than the buffer
    // makes it grow.
    if (start_ > 0) {
      memmove(buffer_.data(), buffer_.data() + start_, filled_ - start_);
      filled_ -= start_;
      start_ = 0;
    }
    if (buffer_.size() - 1 - filled_ < kPiece / 2) buffer_.resize(2 * (buffer_.size() - 1) + 1);
    UINT read = file_.Read(buffer_.data() + filled_, static_cast<UINT>(buffer_.size() - 1 - filled_));
    if (read == 0) atEnd_ = true;
    filled_ += read;
  }

  CFile& file_;
  std::vector<char> buffer_;
  size_t start_ = 0;
  size_t filled_ = 0;
  bool atEnd_ = false;
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
    PAIniSection* current = NULL;
    char* begin;
    char* end;
    while (reader.Next(&begin, &end)) {
      // Names and values are cut out in the reader's buffer and handed on as
      // zero-terminated texts, without copies of their own.
      Trim(&begin, &end);
      if (begin == end || *begin == ';') continue;
      if (*begin == '[' && end[-1] == ']' && end - begin >= 2) {
        char* nameBegin = begin + 1;
        char* nameEnd = end - 1;
        Trim(&nameBegin, &nameEnd);
        EndAtNul(nameBegin, &nameEnd);
        *nameEnd = '\0';
        AddSection(nameBegin, 0);
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
      *keyEnd = '\0';
      *end = '\0';
      current->SetEntry(begin, value, 0);
    }
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
