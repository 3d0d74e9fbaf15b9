// The answers of the program search for bare names, kept while the folders
// they came from stay as they were. A bare name is looked for in a dozen
// folders, and in each one without regard to case, which means reading
// every folder that does not hold the name as written: most of the cost of
// starting a short-lived program. The search's answer depends only on the
// entries of those folders and on the few files it matched, so it is kept
// together with a stamp of each (identity, type and permissions, and for a
// folder the time of its last change of entries); while every stamp is
// unchanged the answer is given without reading any folder.
//
// A time of change can only be trusted once it lies well in the past: a
// change in the same tick of the file system's clock may leave it as it
// was. A search that saw a folder or a matched file changed within the
// last seconds is therefore not kept, and the next search reads the
// folders again.
#pragma once

#include <sys/types.h>
#include <time.h>
#include <windows.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "program_search.h"

namespace winport {

class ProgramSearchCache {
 public:
  // The answer of SearchFolders (name, folders), from memory when a kept
  // answer is still good; *remembered tells which (may be null).
  DWORD Find(const std::string& name, const std::vector<std::string>& folders, ProgramFile* program,
             bool* remembered = nullptr);

 private:
  // What the answer depends on at one path.
  struct Stamp {
    std::string path;
    bool folder = false;  // a folder (time of its entries' change), else a matched entry
    bool present = false;
    dev_t device = 0;
    ino_t inode = 0;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
    struct timespec changed = {0, 0};  // modification time of a folder, status-change time of an entry
  };
  struct Answer {
    DWORD result = ERROR_FILE_NOT_FOUND;
    ProgramFile program;
    uid_t user = 0;  // access() judges by the real user and group
    gid_t userGroup = 0;
    std::vector<Stamp> stamps;
  };

  static bool TakeStamp(const std::string& path, bool folder, Stamp* stamp);
  static bool StillSo(const Stamp& stamp);
  // The stamps of a search's folders and matched entries; false when the
  // answer cannot be kept (a folder changed lately, or one whose name the
  // stamps cannot follow).
  static bool StampsOf(const std::vector<std::string>& folders, const std::vector<std::string>& entries,
                       const struct timespec& began, std::vector<Stamp>* stamps);

  std::mutex m_mutex;
  std::map<std::string, Answer> m_answers;  // by name and folders
};

}  // namespace winport
