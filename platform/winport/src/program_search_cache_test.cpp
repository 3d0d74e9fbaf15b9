// The kept answers of the program search against a fresh search of the
// folders: on every change a user could make to the folders and the files
// found there, both give the same program, and the kept answer is used
// while nothing changed.
#include "program_search_cache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "testsupport/files.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::Exists;
using testsupport::MakeDirs;
using testsupport::RemoveAll;
using testsupport::WriteBytes;

// The folder of the system's "sh", the program the searches end in.
const char kSystemFolder[] = "/bin";

class ProgramSearchCacheTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    m_base = time(nullptr) - 1000;
    SetChangeTime(dir.path(), m_base);
  }

  // Gives every folder that a step changed a time of change of its own, far
  // enough in the past to be trusted, as if the step had been made long ago.
  // Folders the step left alone keep theirs.
  void SettleFolders(const std::vector<std::string>& folders) {
    ++m_step;
    std::vector<std::string> all = folders;
    all.push_back(dir.path());
    for (const std::string& folder : all) {
      struct stat st;
      if (folder.compare(0, dir.path().size(), dir.path()) != 0 || stat(folder.c_str(), &st) != 0) continue;
      if (st.st_mtime > m_base) SetChangeTime(folder, m_base - m_step);
    }
  }

  // Both ways agree; true when the kept answer was used.
  bool ExpectSameAnswer(winport::ProgramSearchCache& cache, const std::vector<std::string>& folders,
                        const std::string& context) {
    winport::ProgramFile kept, fresh;
    bool remembered = false;
    DWORD keptResult = cache.Find("sh", folders, &kept, &remembered);
    DWORD freshResult = winport::SearchFolders("sh", folders, &fresh);
    EXPECT_EQ(freshResult, keptResult) << context;
    if (freshResult == ERROR_SUCCESS && keptResult == ERROR_SUCCESS) {
      EXPECT_EQ(fresh.posixPath, kept.posixPath) << context;
      EXPECT_EQ(fresh.isBatch, kept.isBatch) << context;
    }
    return remembered;
  }

  // Changes the permissions of a file the test made, never through a link.
  static void SetMode(const std::string& path, mode_t mode) {
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) chmod(path.c_str(), mode);
  }

  static void SetChangeTime(const std::string& path, time_t when) {
    struct timespec times[2] = {{0, UTIME_OMIT}, {when, 0}};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
  }

  time_t m_base = 0;
  int m_step = 0;
};

TEST_F(ProgramSearchCacheTest, AKeptAnswerLastsUntilAFolderOrTheFoundFileChanges) {
  const std::vector<std::string> folders = {dir.file("first"), dir.file("missing/deep"), kSystemFolder};
  MakeDirs(dir.file("first"));
  SettleFolders(folders);
  winport::ProgramSearchCache cache;
  EXPECT_FALSE(ExpectSameAnswer(cache, folders, "first search"));
  EXPECT_TRUE(ExpectSameAnswer(cache, folders, "nothing changed"));

  // A program of that name, in another case, in a folder searched before.
  WriteBytes(dir.file("first/SH.EXE"), "#!/bin/sh\n");
  SetMode(dir.file("first/SH.EXE"), 0755);
  SettleFolders(folders);
  EXPECT_FALSE(ExpectSameAnswer(cache, folders, "a new program in front"));
  // A folder that did not exist appears with one.
  MakeDirs(dir.file("missing/deep"));
  WriteBytes(dir.file("missing/deep/sh"), "#!/bin/sh\n");
  SettleFolders(folders);
  EXPECT_FALSE(ExpectSameAnswer(cache, folders, "a missing folder appears"));
  RemoveAll(dir.file("first/SH.EXE"));
  RemoveAll(dir.file("missing"));
  SettleFolders(folders);
  EXPECT_FALSE(ExpectSameAnswer(cache, folders, "both gone again"));
  EXPECT_TRUE(ExpectSameAnswer(cache, folders, "settled again"));
}

TEST_F(ProgramSearchCacheTest, FilesJustMadeOrChangedAreNeverTrustedByTheirTimes) {
  // Without settling, every step happens within the same seconds as the
  // searches: no answer that depends on them may be kept.
  const std::vector<std::string> folders = {dir.file("a"), kSystemFolder};
  winport::ProgramSearchCache cache;
  MakeDirs(dir.file("a"));
  for (int round = 0; round < 20; ++round) {
    const std::string program = dir.file(round % 2 ? "a/Sh" : "a/sh.exe");
    WriteBytes(program, "#!/bin/sh\n");
    SetMode(program, round % 3 ? 0755 : 0644);
    EXPECT_FALSE(ExpectSameAnswer(cache, folders, "round " + std::to_string(round)));
    SetMode(program, 0755 ^ 0111 * (round % 2));
    EXPECT_FALSE(ExpectSameAnswer(cache, folders, "mode changed, round " + std::to_string(round)));
    RemoveAll(program);
  }
  // A folder searched first gains the program within the same tick of the
  // file system's clock as the search before, which leaves its time as it was.
  for (int round = 0; round < 20; ++round) {
    const std::string folder = dir.file("r" + std::to_string(round));
    MakeDirs(folder);
    const std::vector<std::string> inFront = {folder, kSystemFolder};
    EXPECT_FALSE(ExpectSameAnswer(cache, inFront, "empty folder, round " + std::to_string(round)));
    WriteBytes(folder + "/sh", "#!/bin/sh\n");
    SetMode(folder + "/sh", 0755);
    EXPECT_FALSE(ExpectSameAnswer(cache, inFront, "program added, round " + std::to_string(round)));
  }
}

TEST_F(ProgramSearchCacheTest, GeneratedChangesGiveTheAnswersOfAFreshSearch) {
  // Folders searched in order: two plain ones, one below a folder that may
  // be missing, one more, then the system's; and a second list with a
  // folder named in another case than on disk and one with a ".."
  // component, which the stamps cannot follow.
  const std::vector<std::string> folders = {dir.file("p0"), dir.file("p1"), dir.file("gone/p2"), dir.file("p3"),
                                            kSystemFolder};
  const std::vector<std::string> oddFolders = {dir.file("P3"), dir.file("p0/../p1"), dir.file("p0"), kSystemFolder};
  // The test's folders alone, where the name may also be missing or only
  // found in files that may not be run.
  const std::vector<std::string> ownFolders(folders.begin(), folders.end() - 1);
  const std::vector<std::string> places = {"p0", "p1", "gone/p2", "p3"};
  const std::vector<std::string> names = {"sh", "SH", "Sh.exe", "sh.EXE", "sh.bat", "shx"};
  MakeDirs(dir.file("p0"));
  MakeDirs(dir.file("p1"));
  // Links lead to a program of the test's own, so that no step can touch a
  // file of the system.
  WriteBytes(dir.file("target"), "#!/bin/sh\n");
  chmod(dir.file("target").c_str(), 0755);
  winport::ProgramSearchCache cache;
  std::mt19937 random(20261208);
  int kept = 0;
  auto pick = [&random](size_t n) { return static_cast<size_t>(random() % n); };

  auto changeSomething = [&](bool newFiles) {
    const std::string folder = dir.file(places[pick(places.size())]);
    const std::string entry = folder + "/" + names[pick(names.size())];
    switch (newFiles ? pick(6) : 3 + pick(3)) {
      case 0:  // a program, or a plain file
        MakeDirs(folder);
        RemoveAll(entry);
        WriteBytes(entry, "#!/bin/sh\n");
        SetMode(entry, pick(2) ? 0755 : 0644);
        break;
      case 1:  // a folder of that name
        RemoveAll(entry);
        MakeDirs(entry);
        break;
      case 2:  // a link to the system's program, or one that leads nowhere
        MakeDirs(folder);
        RemoveAll(entry);
        symlink(pick(2) ? dir.file("target").c_str() : "/no-such-file-of-winport", entry.c_str());
        break;
      case 3:  // the permission to run it changes
        SetMode(entry, pick(2) ? 0755 : 0644);
        break;
      case 4:  // the entry goes
        RemoveAll(entry);
        break;
      default:  // a whole folder goes
        if (pick(3) == 0) RemoveAll(folder);
        break;
    }
  };

  // New entries: all made within the searches' seconds.
  for (int step = 0; step < 150; ++step) {
    changeSomething(true);
    SettleFolders({dir.file("p0"), dir.file("p1"), dir.file("gone"), dir.file("gone/p2"), dir.file("p3")});
    if (ExpectSameAnswer(cache, folders, "step " + std::to_string(step))) ++kept;
    if (ExpectSameAnswer(cache, folders, "again at step " + std::to_string(step))) ++kept;
    ExpectSameAnswer(cache, oddFolders, "odd folders at step " + std::to_string(step));
    ExpectSameAnswer(cache, ownFolders, "own folders at step " + std::to_string(step));
  }
  // Entries old enough for their times to count: plain files in front, a
  // program at the end. New entries come and go, so that the kept answer
  // stays good between them; then the old entries change in place.
  for (const std::string& place : places) RemoveAll(dir.file(place));
  MakeDirs(dir.file("gone/p2"));
  const std::vector<std::pair<std::string, mode_t>> old = {{"p0/sh.exe", 0644}, {"p1/sh", 0644}, {"p3/sh", 0755}};
  for (const auto& file : old) {
    WriteBytes(dir.file(file.first), "#!/bin/sh\n");
    SetMode(dir.file(file.first), file.second);
  }
  sleep(4);
  const std::vector<std::string> settled = {dir.file("p0"), dir.file("p1"), dir.file("gone"), dir.file("gone/p2"),
                                            dir.file("p3")};
  SettleFolders(settled);
  for (int step = 0; step < 80; ++step) {
    const std::string context = "settled step " + std::to_string(step);
    if (ExpectSameAnswer(cache, folders, context)) ++kept;
    const std::string place = dir.file(places[pick(places.size())]);
    if (step < 60) {
      const std::string added = place + "/" + names[pick(names.size())] + (pick(2) ? "" : "x");
      if (!Exists(added)) {
        if (pick(4) == 0) {
          MakeDirs(added);
        } else {
          WriteBytes(added, "#!/bin/sh\n");
          SetMode(added, pick(2) ? 0755 : 0644);
        }
        SettleFolders(settled);
        ExpectSameAnswer(cache, folders, "added at " + context);
        ExpectSameAnswer(cache, oddFolders, "odd folders, added at " + context);
        ExpectSameAnswer(cache, ownFolders, "own folders, added at " + context);
        RemoveAll(added);
      }
    } else {
      const std::string entry = place + (pick(2) ? "/sh" : "/sh.exe");
      if (pick(2)) {
        SetMode(entry, pick(2) ? 0755 : 0644);
      } else {
        RemoveAll(entry);
      }
    }
    SettleFolders(settled);
    ExpectSameAnswer(cache, folders, "changed at " + context);
    ExpectSameAnswer(cache, oddFolders, "odd folders at " + context);
    ExpectSameAnswer(cache, ownFolders, "own folders at " + context);
  }
  // The kept answers were used, not only fresh searches.
  EXPECT_GT(kept, 20);
}

}  // namespace
