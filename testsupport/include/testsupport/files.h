// Whole-file reads and writes in binary, for byte-for-byte comparisons.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace testsupport {

std::string ReadBytes(const std::string& path);
// Writes the file, making its missing folders first.
void WriteBytes(const std::string& path, const std::string& bytes);
void MakeDirs(const std::string& path);
bool Exists(const std::string& path);
// Removes a file or a folder with everything in it; nothing when it is not there.
void RemoveAll(const std::string& path);
// Moves the file's last write time back by the hours given.
void AgeFile(const std::string& path, int hours);
// The names of the files (not folders) in a folder.
std::vector<std::string> FileNames(const std::string& folder);
// Copies a file with its permissions (a program stays runnable).
void CopyFileTo(const std::string& from, const std::string& to);
// Makes `link` a symbolic link to the directory `target`. False where the
// platform makes none (Wine reports success and makes nothing; Windows needs
// the right to make links).
bool MakeDirectoryLink(const std::string& target, const std::string& link);
// Lines joined with CR LF, each line followed by CR LF.
std::string CrLf(std::initializer_list<const char*> lines);

}  // namespace testsupport
