// Whole-file reads and writes in binary, for byte-for-byte comparisons.
#pragma once

#include <string>

namespace testsupport {

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// Lines joined with CR LF, each line followed by CR LF.
std::string CrLf(std::initializer_list<const char*> lines);

}  // namespace testsupport
