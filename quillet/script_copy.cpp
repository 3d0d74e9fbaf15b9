#include "script_copy.h"

#include <string.h>

#include <vector>

#if defined(_WIN32)
const UINT kScriptCopyType = CFile::typeText;
#else
const UINT kScriptCopyType = CFile::typeBinary;
#endif

namespace {

const size_t kBlock = 256 * 1024;

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
  std::vector<char> expanded(2 * kBlock);
  char previous = '\0';
  UINT count;
  while ((count = script.Read(buffer.data(), static_cast<UINT>(buffer.size()))) > 0) {
    newScript.Write(expanded.data(), static_cast<UINT>(AddMissingCarriageReturns(buffer.data(), count,
                                                                                 expanded.data(), &previous)));
    last = buffer[count - 1];
  }
  if (last != '\n') newScript.Write("\r\n", 2);
  newScript.Write("\r\n", 2);
}
