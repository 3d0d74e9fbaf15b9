// The answers of the program search for bare names, kept while the folders
// they came from stay as they were. A bare name is looked for in a dozen
// folders, and in each one without regard to case, which means reading
// every folder that does not hold the name as written: most of the cost of
// starting a short-lived program. What one folder gives for a name depends
// only on that folder's entries and on the few files of the name found in
// it, so the answer of each folder is kept together with a stamp of each
// (identity, type, permissions and owner, and the time of its last
// change); while every stamp is unchanged the folder's answer is given
// without reading it. A search in another current directory so reads only
// that directory again.
//
// A time of change can only be trusted once it lies well in the past: a
// change in the same tick of the file system's clock may leave it as it
// was. A folder's answer that depends on a folder or file changed within
// the last seconds is therefore not kept, and the next search reads that
// folder again.
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
  // The answer of SearchFolders (name, folders), from memory for each folder
  // whose kept answer is still good; *remembered (may be null) tells
  // whether every folder's answer came from memory.
  DWORD Find(const std::string& name, const std::vector<std::string>& folders, ProgramFile* program,
             bool* remembered = nullptr);

 private:
  // What an answer depends on at one path.
  struct Stamp {
    std::string path;
    bool folder = false;  // a folder (time of its entries' change), else an entry of the name
    bool present = false;
    dev_t device = 0;
    ino_t inode = 0;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
    struct timespec changed = {0, 0};  // modification time of a folder, status-change time of an entry
  };
  // What one folder gives for one name.
  struct Answer {
    DWORD result = ERROR_FILE_NOT_FOUND;
    bool denied = false;
    ProgramFile program;
    uid_t user = 0;  // access() judges by the real user and group
    gid_t userGroup = 0;
    std::vector<Stamp> stamps;
  };

  // The folder's answer for the real user and group, from memory when it
  // is still good; else *remembered becomes false.
  const Answer& FolderAnswer(const std::string& name, const std::string& folder, uid_t user, gid_t userGroup,
                             bool* remembered);

  static bool TakeStamp(const std::string& path, bool folder, Stamp* stamp);
  static bool StillSo(const Stamp& stamp);
  // The stamps of a folder's answer; false when the answer cannot be kept
  // (the folder or a file changed lately, or a folder whose name the
  // stamps cannot follow).
  static bool StampsOf(const std::string& folder, const std::vector<std::string>& entries,
                       const struct timespec& began, std::vector<Stamp>* stamps);

  std::mutex m_mutex;
  std::map<std::string, Answer> m_answers;  // by name and folder
  Answer m_fresh;                           // the last answer that could not be kept
};

}  // namespace winport
