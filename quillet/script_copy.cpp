#include "script_copy.h"

#include <string.h>

#include <vector>

#if defined(_WIN32)
const UINT kScriptCopyType = CFile::typeText;
#else
const UINT kScriptCopyType = CFile::typeBinary;
#endif

namespace {

const size_t kBlock = 256 * 1024;      // one read of a script
const size_t kExpandBlock = 32 * 1024;  // bytes given their CRs at a time

}  // namespace

size_t AddMissingCarriageReturns(const char* in, size_t length, char* out, char* previous) {
  const char* end = in + length;
  char* const start = out;
  char before = *previous;
  while (in < end) {
    const char* lf = static_cast<const char*>(memchr(in, '\n', static_cast<size_t>(end - in)));
    const size_t plain = lf ? static_cast<size_t>(lf - in) : static_cast<size_t>(end - in);
    memcpy(out, in, plain);
    out += plain;
    if (plain > 0) before = in[plain - 1];
    if (!lf) break;
    if (before != '\r') *out++ = '\r';
    *out++ = '\n';
    before = '\n';
    in = lf + 1;
  }
  *previous = before;
  return static_cast<size_t>(out - start);
}

size_t DropLineEndCarriageReturns(const char* in, size_t length, char* out, bool* loneLineFeeds) {
  const char* end = in + length;
  char* const start = out;
  bool lone = false;
  while (in < end) {
    const char* lf = static_cast<const char*>(memchr(in, '\n', static_cast<size_t>(end - in)));
    if (!lf) {
      memcpy(out, in, static_cast<size_t>(end - in));
      out += end - in;
      break;
    }
    size_t plain = static_cast<size_t>(lf - in);
    if (plain > 0 && lf[-1] == '\r')
      --plain;
    else
      lone = true;
    memcpy(out, in, plain);
    out += plain;
    *out++ = '\n';
    in = lf + 1;
  }
  *loneLineFeeds = lone;
  return static_cast<size_t>(out - start);
}

namespace {

// The bytes of a binary script, written with their missing CRs.
void WriteExpanded(const char* data, size_t length, char* previous, CStdioFile& newScript) {
  char expanded[2 * kExpandBlock];
  while (length > 0) {
    const size_t part = length < kExpandBlock ? length : kExpandBlock;
    newScript.Write(expanded, static_cast<UINT>(AddMissingCarriageReturns(data, part, expanded, previous)));
    data += part;
    length -= part;
  }
}

// The end of a binary script: a line end for a last line without one, then
// the empty line.
void EndScript(char last, CStdioFile& newScript) {
  if (last != '\n') newScript.Write("\r\n", 2);
  newScript.Write("\r\n", 2);
}

}  // namespace

void AppendScript(CStdioFile& script, CStdioFile& newScript) {
  std::vector<char> buffer(kBlock);
  // The last byte read; a script of no bytes needs no line end of its own.
  char last = '\n';
  if (kScriptCopyType == CFile::typeText) {
    UINT count;
    while ((count = script.Read(buffer.data(), static_cast<UINT>(buffer.size()))) > 0) {
      newScript.Write(buffer.data(), count);
      last = buffer[count - 1];
    }
    if (last != '\n') newScript.WriteString("\n");
    newScript.WriteString("\n");
    return;
  }
  char previous = '\0';
  UINT count;
  while ((count = script.Read(buffer.data(), static_cast<UINT>(buffer.size()))) > 0) {
    WriteExpanded(buffer.data(), count, &previous, newScript);
    last = buffer[count - 1];
  }
  EndScript(last, newScript);
}

void AppendScriptBytes(const char* bytes, size_t length, bool loneLineFeeds, CStdioFile& newScript) {
  if (loneLineFeeds) {
    char previous = '\0';
    WriteExpanded(bytes, length, &previous, newScript);
  } else if (length > 0) {
    newScript.Write(bytes, static_cast<UINT>(length));
  }
  EndScript(length > 0 ? bytes[length - 1] : '\n', newScript);
}
