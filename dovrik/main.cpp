// DOVRIK: prepares an SQL script for delivery. The prepared copy holds an
// optional header file, then the script's lines without comments and empty
// lines, with their white space squeezed and, on request, double quotes
// turned into single quotes.
//
//   dovrik in_file out_file [header_file [quote_option [hash_option]]]
//
// Exit codes: 0 done, 1 usage, 2 out_file not created, 3 in_file not opened.

#include <stdio.h>

#include "line_reader.h"
#include "script_preparer.h"

namespace {

const char kInternalName[] = "DOVRIK";
const char kDescription[] = "Prepare SQL Scripts";
const char kVersion[] = "1.0.0.71";
const char kCopyright[] = "Copyright (c) 1998-2026 the tool suite's authors";

enum ExitCode { kDone = 0, kUsage = 1, kCannotCreate = 2, kCannotOpen = 3 };

// Copies the header file to the start of the output. A header that cannot be
// opened is left out without a word. Both files are in text mode, so the copy
// is the header's text as it stands, zero bytes included.
void CopyHeader(const char* headerPath, BlockWriter& out) {
  FILE* header = fopen(headerPath, "rt");
  if (header == nullptr) return;
  char chunk[kLineBufferSize];
  size_t count;
  while ((count = fread(chunk, 1, sizeof chunk, header)) > 0) out.WriteText(chunk, count);
  fclose(header);
}

}  // namespace

int main(int argc, char* argv[]) {
  printf("%s - %s.\nVersion %s. %s\n", kInternalName, kDescription, kVersion, kCopyright);
  if (argc < 3) {
    printf("Usage: DOVRIK in_file out_file (header_file)\n");
    return kUsage;
  }

  FILE* out = fopen(argv[2], kCreateMode);
  if (out == nullptr) {
    printf("Error creating file\n");
    return kCannotCreate;
  }

  // Only the upper-case letters switch the options on.
  bool quoteFlag = argc >= 5 && argv[4][0] == 'Y';
  bool hashCommentFlag = argc >= 6 && argv[5][0] == 'N';

  // The output is written in large blocks; the header and the prepared
  // lines are collected in between.
  BlockWriter writer(out);
  if (argc >= 4) CopyHeader(argv[3], writer);

  FILE* in = fopen(argv[1], kReadMode);
  if (in == nullptr) {
    writer.Flush();
    fclose(out);
    printf("Error opening file\n");
    return kCannotOpen;
  }

  // The lines are text: a zero byte ends what a read holds. A read error
  // ends the input like the end of the file.
  {
    ScriptPreparer preparer(quoteFlag, hashCommentFlag);
    LineReader reader(in);
    preparer.PrepareAll(reader, writer);
  }

  fclose(in);
  writer.Flush();
  fclose(out);
  printf("Done\n\n");
  return kDone;
}
