// Test support for the project list and locator tests: a projects home
// directory in the test's temporary folder, PHOME pointing at it, and
// project files written as the configuration classes store them.
#pragma once

#include <direct.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <testsupport/environment.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

namespace tekora_test {

// The keys of one project file; empty ones are left out.
struct ProjectKeys {
  std::string priority;
  std::string prefix;
  std::string buildTag;
  // Source folders below INCLUDE_PATHS, as their PATH values.
  std::vector<std::string> includePaths;
  // Directories listed in SYSTEM_DIRS.
  std::vector<std::string> systemDirs;
};

inline ProjectKeys Keys(const std::string& priority, const std::string& prefix,
                        const std::string& buildTag = "") {
  ProjectKeys keys;
  keys.priority = priority;
  keys.prefix = prefix;
  keys.buildTag = buildTag;
  return keys;
}

class ProjectHomeTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    testsupport::MakeDirs(dir.file("home/utils"));
    home_.reset(new testsupport::ScopedEnv("PHOME", dir.winPath("home")));
  }

  // Writes home/<folder>/<file> (folder "" for the home directory).
  void WriteProject(const std::string& folder, const ProjectKeys& keys, const std::string& file = "project.ini") {
    std::ostringstream ini;
    ini << "[MAIN]\r\nGUID={FAE4B211-D5EA-11d1-8E8D-0020AFF4C1F6}\r\nCHILDS=PROJECT,UTILS,\r\n";
    ini << "[PROJECT]\r\nCHILDS=PROJECT_SETTINGS,PROJECT_PATHS,\r\n[PROJECT_SETTINGS]\r\n";
    if (!keys.priority.empty()) ini << "PRIORITY=" << keys.priority << "\r\n";
    if (!keys.prefix.empty()) ini << "PREFIX=" << keys.prefix << "\r\n";
    if (!keys.buildTag.empty()) ini << "BUILD_TAG=" << keys.buildTag << "\r\n";
    ini << "PLATFORM=WIN32\r\n[PROJECT_PATHS]\r\nCHILDS=INCLUDE_PATHS,\r\n[INCLUDE_PATHS]\r\n";
    ini << "EXTENSIONS=.h;\r\n";
    std::string children;
    for (size_t i = 0; i < keys.includePaths.size(); ++i) children += "INC" + std::to_string(i) + ",";
    if (!children.empty()) ini << "CHILDS=" << children << "\r\n";
    for (size_t i = 0; i < keys.includePaths.size(); ++i)
      ini << "[INC" << i << "]\r\nPATH=" << keys.includePaths[i] << "\r\nDESCRIPTION=headers\r\n";
    ini << "[UTILS]\r\nIS_DIRTY=0\r\nCHILDS=SYSTEM_DIRS,\r\n[SYSTEM_DIRS]\r\nSYSINCLS=1\r\n";
    for (size_t i = 0; i < keys.systemDirs.size(); ++i) ini << "DIR" << i << "=" << keys.systemDirs[i] << "\r\n";
    const std::string path = folder.empty() ? "home/" + file : "home/" + folder + "/" + file;
    testsupport::WriteBytes(dir.file(path), ini.str());
  }

  std::string HomeFile(const std::string& name) const { return dir.file("home/" + name); }

  std::string Cwd() const {
    char buffer[MAX_PATH];
    return _getcwd(buffer, MAX_PATH) ? buffer : "";
  }

  std::unique_ptr<testsupport::ScopedEnv> home_;
};

}  // namespace tekora_test
