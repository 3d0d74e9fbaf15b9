// What the harnesses share: a private folder for the files they write, and
// a check that stops the run with a message when a property does not hold.
#pragma once

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

namespace fuzz {

// The folder of this process's files (created on first use, with a name of
// its own, and removed when the process ends), with a trailing "/".
const std::string& Folder();

// The path of a file named `name` in Folder().
std::string PathOf(const char* name);

// Writes the bytes to the file, creating or truncating it.
void WriteFile(const std::string& path, const std::string& bytes);
// The whole file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

// The names of the entries of Folder() (or of its sub-folder), sorted, "."
// and ".." left out, joined by "|".
std::string FolderEntries(const std::string& subfolder = std::string());

// Stops the run when a property fails: libFuzzer keeps the input that got
// here as a finding.
[[noreturn]] void Fail(const char* what, const std::string& detail);

}  // namespace fuzz

#define FUZZ_CHECK(condition, detail) \
  do {                                \
    if (!(condition)) ::fuzz::Fail(#condition, (detail)); \
  } while (0)

namespace fuzz {

// The bytes as a C string literal would write them, for messages.
std::string Escaped(const std::string& bytes);

}  // namespace fuzz
