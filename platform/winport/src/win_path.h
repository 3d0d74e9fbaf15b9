// Lexical handling of Windows paths: "\" and "/" separate, a drive prefix
// ("c:") names the root, "." and ".." are resolved by text alone against the
// current directory, as GetFullPathName does. No file system lookups here
// beyond reading the current directory.
#pragma once

#include <string>
#include <vector>

namespace winport {

struct AbsolutePath {
  std::vector<std::string> components;  // from the root down, no "." or ".."
  bool trailingSeparator = false;       // the path as given ended with "\" or "/"
};

inline bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The components of the current directory, named as the program named it
// when it changed there (see NameCurrentDirectory), else as the disk spells
// them. False (with errno set) when it cannot be read.
bool CurrentDirectory(std::vector<std::string>* components);
// The same as one Windows path: "\a\b", the root "\".
bool CurrentWindowsDirectory(std::string* path);
// Records the names by which the program entered the current directory.
void NameCurrentDirectory(const std::vector<std::string>& components);

// The absolute components of a Windows path. False (with errno set) when the
// path is empty or the current directory cannot be read.
bool MakeAbsolute(const char* path, AbsolutePath* out);

// "\a\b" (with a trailing "\" when asked; the root is "\").
std::string JoinWindows(const AbsolutePath& path);
// "/a/b" (the root is "/"); no trailing separator.
std::string JoinPosix(const std::vector<std::string>& components);
// The POSIX path with every "/" turned into "\".
std::string PosixToWindows(const std::string& posixPath);

}  // namespace winport
