// The batch-file language the layer's command interpreter understands: the
// few line forms that the suite's batch files use, read with cmd.exe's
// rules so that the same text means the same thing on Windows. A line is
// one of
//   @echo off                     (any case; "@" may lead any line)
//   if exist A del B              deletes file B when A exists
//   program args... [> file]      one program call, output optionally
//                                 redirected into a new file
// or empty. Arguments and file names are quoted by the Windows rules; "%%"
// stands for "%". Everything else (variables, pipes, "&", "<", ">>", "^",
// parentheses or quotes left open outside a quoted argument) is refused, so
// that text pasted into a line can never become a second command.
#pragma once

#include <string>
#include <vector>

namespace winport {

struct BatchLine {
  enum Kind { kEmpty, kEchoOff, kDeleteIfExists, kRun, kUnsupported };
  Kind kind = kEmpty;
  std::string testPath, deletePath;   // kDeleteIfExists
  std::string commandLine;            // kRun: the program and its arguments, as CreateProcess takes them
  std::string redirect;               // kRun: the output file, empty when none
  std::string reason;                 // kUnsupported: why the line cannot run
};

// Reads one line of a batch file (without its line end; a trailing CR is
// ignored).
BatchLine ParseBatchLine(const std::string& line);

// Splits a batch file's text into its lines (LF or CR LF).
std::vector<std::string> SplitBatchLines(const std::string& text);

}  // namespace winport
