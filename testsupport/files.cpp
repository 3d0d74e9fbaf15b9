#include "testsupport/files.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testsupport {

namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  const fs::path parent = fs::path(path).parent_path();
  if (!parent.empty()) fs::create_directories(parent);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void MakeDirs(const std::string& path) { fs::create_directories(path); }

bool Exists(const std::string& path) {
  std::error_code error;
  return fs::exists(path, error);
}

void RemoveAll(const std::string& path) {
  std::error_code error;
  fs::remove_all(path, error);
}

void AgeFile(const std::string& path, int hours) {
  fs::last_write_time(path, fs::last_write_time(path) - std::chrono::hours(hours));
}

std::vector<std::string> FileNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  return names;
}

void CopyFileTo(const std::string& from, const std::string& to) {
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

bool MakeDirectoryLink(const std::string& target, const std::string& link) {
  std::error_code error;
  fs::create_directory_symlink(target, link, error);
  return !error && fs::is_symlink(link, error);
}

std::string CrLf(std::initializer_list<const char*> lines) {
  std::string result;
  for (const char* line : lines) {
    result += line;
    result += "\r\n";
  }
  return result;
}

}  // namespace testsupport
