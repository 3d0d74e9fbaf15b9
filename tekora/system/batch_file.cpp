#include "batch_file.h"

#include <string.h>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The runtime's quoting, without the batch file's "%" rule.
CString QuoteArgument(LPCSTR text) {
  CString quoted('"');
  int backslashes = 0;
  for (const char* p = text; *p; ++p) {
    if (*p == '\\') {
      ++backslashes;
      continue;
    }
    quoted += CString('\\', *p == '"' ? 2 * backslashes + 1 : backslashes);
    quoted += *p;
    backslashes = 0;
  }
  quoted += CString('\\', 2 * backslashes);
  quoted += '"';
  return quoted;
}

}  // namespace

CString QuoteBatchArgument(LPCSTR text) {
  CString quoted = QuoteArgument(text ? text : "");
  quoted.Replace("%", "%%");
  return quoted;
}

CString QuoteBatchWords(LPCSTR text) {
  CString result;
  if (!text) return result;
  const size_t n = strlen(text);
  size_t p = 0;
  for (;;) {
    while (p < n && IsBlank(text[p])) ++p;
    if (p >= n) break;
    // One word by the runtime's rules: quotes group, 2k backslashes before a
    // quote are k backslashes, 2k+1 are k and a literal quote.
    CString word;
    bool quoted = false;
    while (p < n && (quoted || !IsBlank(text[p]))) {
      size_t backslashes = 0;
      while (p < n && text[p] == '\\') {
        ++backslashes;
        ++p;
      }
      if (p < n && text[p] == '"') {
        word += CString('\\', static_cast<int>(backslashes / 2));
        if (backslashes % 2) {
          word += '"';
        } else {
          quoted = !quoted;
        }
        ++p;
      } else {
        word += CString('\\', static_cast<int>(backslashes));
        if (p < n && (quoted || !IsBlank(text[p]))) word += text[p++];
      }
    }
    if (!result.IsEmpty()) result += ' ';
    result += QuoteBatchArgument(word);
  }
  return result;
}

CString BatchCommandLine(LPCSTR batchPath) { return QuoteArgument(batchPath); }

void WriteQueryBatchFile(LPCSTR batchPath, const CString& query, LPCSTR outputPath) {
  CString output = QuoteBatchArgument(outputPath);
  CString lines;
  lines.Format("@echo off\nif exist %s del %s\n%s > %s\n", output.GetString(), output.GetString(), query.GetString(),
               output.GetString());
  if (query.FindOneOf("\r\n") >= 0 || strpbrk(outputPath, "\r\n")) AfxThrowFileException(CFileException::badPath);
  CStdioFile file(batchPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeText);
  file.WriteString(lines);
  file.Close();
}
