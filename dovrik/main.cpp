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
#include "prepare_line.h"

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

// Cuts trailing blanks, tabs, CR and LF off the line of the given length;
// returns its new length.
size_t TrimTrailing(char* line, size_t length) {
  while (length > 0) {
    char c = line[length - 1];
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') break;
    --length;
  }
  line[length] = '\0';
  return length;
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

  // The depth carries open comments from line to line. A line that opens a
  // comment keeps its text before the opener; the lines inside the comment,
  // and every line while surplus closers hold the depth below zero, are left
  // out. A read error ends the loop like the end of the file. The lines are
  // text: a zero byte ends what a read holds.
  int depth = 0;
  int previousDepth = 0;
  {
    LineReader reader(in);
    size_t length;
    while (char* line = reader.Next(&length)) {
      length = PrepareLine(line, depth, quoteFlag, hashCommentFlag);
      length = TrimTrailing(line, length);
      if (length > 0 && (depth == 0 || (depth > 0 && previousDepth == 0))) writer.WriteLine(line, length);
      previousDepth = depth;
    }
  }

  fclose(in);
  writer.Flush();
  fclose(out);
  printf("Done\n\n");
  return kDone;
}
