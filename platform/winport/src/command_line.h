// Windows command lines: the program name as CreateProcess takes it, and the
// arguments as the Windows C runtime hands them to main().
#pragma once

#include <string>
#include <vector>

namespace winport {

// The program name at the start of a command line: a quoted name up to its
// closing quote (or the end, when the quote is never closed), else the text
// up to the first space or tab. Leading white space is skipped.
std::string ProgramToken(const std::string& commandLine);

// The whole command line split into arguments by the runtime's rules:
// argv[0] runs to the first space or tab outside quotes, with the quotes
// dropped and backslashes kept; then arguments are separated by spaces and tabs
// outside quotes, a quote toggles quoting, "" inside quotes is one quote,
// 2n backslashes before a quote are n backslashes (and the quote toggles),
// 2n+1 backslashes before a quote are n backslashes and a literal quote, and
// backslashes elsewhere are literal. An unclosed quote runs to the end.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

}  // namespace winport
