#include "script_copy.h"

#include <vector>

#include "byte_search.h"

#if defined(_WIN32)
const UINT kScriptCopyType = CFile::typeText;
#else
const UINT kScriptCopyType = CFile::typeBinary;
#endif

namespace {

const size_t kBlock = 256 * 1024;  // one read of a script

// The end of a binary script: a line end for a last line without one, then
// the empty line.
void EndScript(char last, CStdioFile& newScript) {
  static const char kLineEnds[] = "\r\n\r\n";
  newScript.Write(kLineEnds, last != '\n' ? 4 : 2);
}

}  // namespace

void WriteWithCarriageReturns(const char* data, size_t length, char* previous, CStdioFile& newScript) {
  const char* const end = data + length;
  const char* pending = data;  // not written yet: it goes out as it stands
  for (const char* at = data; at < end;) {
    const char* lf = FindLoneLineFeed(at, end, at > data ? at[-1] : *previous);
    if (!lf) break;
    newScript.Write(pending, static_cast<UINT>(lf - pending));
    newScript.Write("\r", 1);
    pending = lf;
    at = lf + 1;
  }
  if (pending < end) newScript.Write(pending, static_cast<UINT>(end - pending));
  if (length > 0) *previous = end[-1];
}

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
    WriteWithCarriageReturns(buffer.data(), count, &previous, newScript);
    last = buffer[count - 1];
  }
  EndScript(last, newScript);
}

void AppendScriptBytes(const char* bytes, size_t length, CStdioFile& newScript) {
  char previous = '\0';
  WriteWithCarriageReturns(bytes, length, &previous, newScript);
  EndScript(length > 0 ? bytes[length - 1] : '\n', newScript);
}
