#include "text_stream.h"

#include <errno.h>
#include <stdint.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <new>
#include <vector>

namespace winport {
namespace {

const size_t kChunk = 64 * 1024;         // bytes read from the file at a time
const size_t kStreamBuffer = 64 * 1024;  // the FILE's own buffer

struct TextStream {
  int fd = -1;
  bool append = false;
  int64_t logical = 0;   // position in translated bytes; -1 while unknown (after appends)
  int64_t physical = 0;  // position of the same place in the file
  // Read-ahead: file bytes from rawStart; the cursor is at raw[rawPos], so
  // physical == rawStart + rawPos while rawLen > 0.
  std::vector<char> raw;
  int64_t rawStart = 0;
  size_t rawPos = 0, rawLen = 0;
  std::vector<char> out;  // translation buffer for writes

  void DropReadAhead() {
    rawStart = physical;
    rawPos = rawLen = 0;
  }

  // Keeps the unread bytes, moves them to the front and reads more behind
  // them. Result: bytes added, 0 at end of file, -1 on error.
  ssize_t Refill() {
    if (rawPos > 0) {
      memmove(raw.data(), raw.data() + rawPos, rawLen - rawPos);
      rawStart += static_cast<int64_t>(rawPos);
      rawLen -= rawPos;
      rawPos = 0;
    }
    for (;;) {
      ssize_t n = pread(fd, raw.data() + rawLen, raw.size() - rawLen,
                        rawStart + static_cast<int64_t>(rawLen));
      if (n < 0 && errno == EINTR) continue;
      if (n > 0) rawLen += static_cast<size_t>(n);
      return n;
    }
  }

  // Walks the file from (logical, physical) = (fromLogical, fromPhysical)
  // until the logical position `target` or the end of the file, whichever
  // comes first. Result: false on a read error.
  bool Scan(int64_t target, int64_t* logicalPos, int64_t* physicalPos) {
    std::vector<char> buffer(kChunk);
    int64_t log = *logicalPos, phys = *physicalPos;
    while (log < target) {
      ssize_t n = pread(fd, buffer.data(), buffer.size(), phys);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) break;
      const char* p = buffer.data();
      const char* end = p + n;
      while (p < end && log < target) {
        size_t span = static_cast<size_t>(end - p);
        if (static_cast<uint64_t>(target - log) < span) span = static_cast<size_t>(target - log);
        const char* cr = static_cast<const char*>(memchr(p, '\r', span));
        if (!cr) {
          p += span;
          log += static_cast<int64_t>(span);
          continue;
        }
        log += cr - p;
        p = cr;
        if (log >= target) break;
        if (p + 1 == end) break;  // decide this CR with the next chunk
        p += (p[1] == '\n') ? 2 : 1;
        ++log;
      }
      int64_t consumed = p - buffer.data();
      if (consumed == 0 && n == 1) {  // a final lone CR at the end of the file
        ++log;
        ++phys;
        continue;
      }
      phys += consumed;
    }
    *logicalPos = log;
    *physicalPos = phys;
    return true;
  }

  bool EnsureLogical() {
    if (logical >= 0) return true;
    int64_t log = 0, phys = 0;
    // The logical position of `physical` is the translated length up to it.
    std::vector<char> buffer(kChunk);
    bool pendingCr = false;
    while (phys < physical) {
      size_t want = static_cast<size_t>(std::min<int64_t>(physical - phys, kChunk));
      ssize_t n = pread(fd, buffer.data(), want, phys);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      for (ssize_t i = 0; i < n; ++i) {
        char c = buffer[static_cast<size_t>(i)];
        if (pendingCr && c == '\n') {
          pendingCr = false;  // CR LF: one byte in memory, counted with the CR
          continue;
        }
        pendingCr = c == '\r';
        ++log;
      }
      phys += n;
    }
    logical = log;
    return true;
  }
};

ssize_t ReadText(void* cookie, char* buffer, size_t size) {
  TextStream* s = static_cast<TextStream*>(cookie);
  if (s->raw.empty()) s->raw.resize(kChunk);
  size_t produced = 0;
  while (produced < size) {
    if (s->rawPos >= s->rawLen) {
      ssize_t n = s->Refill();
      if (n < 0) {
        if (produced == 0) return -1;
        break;
      }
      if (n == 0) break;
    }
    const char* start = s->raw.data() + s->rawPos;
    size_t span = std::min(s->rawLen - s->rawPos, size - produced);
    const char* cr = static_cast<const char*>(memchr(start, '\r', span));
    size_t plain = cr ? static_cast<size_t>(cr - start) : span;
    memcpy(buffer + produced, start, plain);
    produced += plain;
    s->rawPos += plain;
    if (!cr || produced == size) continue;
    // At a CR: it and a following LF are one line end; a lone CR is data.
    if (s->rawPos + 1 == s->rawLen) {
      ssize_t n = s->Refill();
      if (n < 0) {
        if (produced == 0) return -1;
        break;
      }
      if (n > 0) continue;  // look again with the next byte present
      buffer[produced++] = '\r';
      s->rawPos += 1;
      continue;
    }
    bool crlf = s->raw[s->rawPos + 1] == '\n';
    buffer[produced++] = crlf ? '\n' : '\r';
    s->rawPos += crlf ? 2 : 1;
  }
  s->physical = s->rawStart + static_cast<int64_t>(s->rawPos);
  if (s->logical >= 0) s->logical += static_cast<int64_t>(produced);
  return static_cast<ssize_t>(produced);
}

bool WriteAll(TextStream* s, const char* data, size_t length) {
  while (length > 0) {
    ssize_t n = s->append ? write(s->fd, data, length) : pwrite(s->fd, data, length, s->physical);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    length -= static_cast<size_t>(n);
    if (!s->append) s->physical += n;
  }
  return true;
}

ssize_t WriteText(void* cookie, const char* buffer, size_t size) {
  TextStream* s = static_cast<TextStream*>(cookie);
  s->DropReadAhead();
  if (s->out.size() < 2 * size) s->out.resize(2 * size);
  char* out = s->out.data();
  size_t length = 0;
  const char* p = buffer;
  const char* end = buffer + size;
  while (p < end) {
    const char* lf = static_cast<const char*>(memchr(p, '\n', static_cast<size_t>(end - p)));
    size_t plain = lf ? static_cast<size_t>(lf - p) : static_cast<size_t>(end - p);
    memcpy(out + length, p, plain);
    length += plain;
    p += plain;
    if (lf) {
      out[length++] = '\r';
      out[length++] = '\n';
      ++p;
    }
  }
  if (!WriteAll(s, out, length)) return -1;
  if (s->append) {
    // Appends land at the end, wherever others have left it.
    off_t end = lseek(s->fd, 0, SEEK_END);
    s->physical = end < 0 ? 0 : end;
    s->logical = -1;
  } else if (s->logical >= 0) {
    s->logical += static_cast<int64_t>(size);
  }
  s->DropReadAhead();  // reading goes on behind what was written
  return static_cast<ssize_t>(size);
}

int SeekText(void* cookie, off64_t* position, int whence) {
  TextStream* s = static_cast<TextStream*>(cookie);
  int64_t target;
  if (whence == SEEK_SET) {
    target = *position;
  } else if (whence == SEEK_CUR) {
    if (!s->EnsureLogical()) return -1;
    target = s->logical + *position;
  } else if (whence == SEEK_END) {
    int64_t log = 0, phys = 0;
    if (s->logical >= 0) {
      log = s->logical;
      phys = s->physical;
    }
    if (!s->Scan(INT64_MAX, &log, &phys)) return -1;
    target = log + *position;
  } else {
    errno = EINVAL;
    return -1;
  }
  if (target < 0) {
    errno = EINVAL;
    return -1;
  }
  if (target != s->logical) {
    int64_t log = 0, phys = 0;
    if (s->logical >= 0 && target > s->logical) {
      log = s->logical;
      phys = s->physical;
    }
    if (!s->Scan(target, &log, &phys)) return -1;
    // Past the end of the file the two positions advance together.
    s->physical = phys + (target - log);
    s->logical = target;
    s->DropReadAhead();
  }
  *position = target;
  return 0;
}

int CloseText(void* cookie) {
  TextStream* s = static_cast<TextStream*>(cookie);
  int result = close(s->fd);
  delete s;
  return result;
}

}  // namespace

FILE* OpenTextStream(int fd, const char* glibcMode, bool append) {
  TextStream* stream = new (std::nothrow) TextStream;
  if (!stream) {
    close(fd);
    errno = ENOMEM;
    return nullptr;
  }
  stream->fd = fd;
  stream->append = append;
  if (append) {
    off_t end = lseek(fd, 0, SEEK_END);
    stream->physical = end < 0 ? 0 : end;
    stream->logical = stream->physical == 0 ? 0 : -1;
  }
  stream->DropReadAhead();
  cookie_io_functions_t functions = {ReadText, WriteText, SeekText, CloseText};
  FILE* file = fopencookie(stream, glibcMode, functions);
  if (!file) {
    int error = errno;
    close(fd);
    delete stream;
    errno = error;
    return nullptr;
  }
  setvbuf(file, nullptr, _IOFBF, kStreamBuffer);
  return file;
}

}  // namespace winport
