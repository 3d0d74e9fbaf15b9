// The index of a directory against a fresh read of the directory,
// while this process, a forked child and plain system calls (as another
// program would make them) change the directory between lookups.
#include "folder_index.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <windows.h>

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "path_resolver.h"
#include "testsupport/temp_dir.h"

namespace {

using winport::FindIgnoringCase;
using winport::ScanIgnoringCase;

// A name of few letters in a random case, so that names often match others
// without regard to case.
std::string RandomName(std::mt19937& random) {
  std::string name = "f";
  const int letters = 1 + static_cast<int>(random() % 2);
  for (int i = 0; i < letters; ++i) name += static_cast<char>('a' + random() % 3);
  name += ".tmp";
  for (char& c : name)
    if (random() % 2) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return name;
}

void Touch(const std::string& path) {
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0666);
  if (fd >= 0) ::close(fd);
}

class FolderIndexTest : public testsupport::IsolatedTest {
 protected:
  // A folder of 400 entries that match none of the names used here.
  std::string Crowded(const std::string& name) {
    const std::string folder = dir.file(name);
    EXPECT_EQ(0, mkdir(folder.c_str(), 0777));
    for (int i = 0; i < 400; ++i) Touch(folder + "/other" + std::to_string(i));
    return folder;
  }

  // Every name of the test's small set looked up both ways.
  void ExpectSameAnswers(const std::string& folder, std::mt19937& random) {
    for (int i = 0; i < 6; ++i) {
      const std::string name = RandomName(random);
      ASSERT_EQ(ScanIgnoringCase(folder, name), FindIgnoringCase(folder, name)) << name;
    }
  }

  // One change of the folder by plain system calls: a file created, removed
  // or renamed, or a folder made or removed.
  void Change(const std::string& folder, std::mt19937& random) {
    const std::string a = folder + "/" + RandomName(random), b = folder + "/" + RandomName(random);
    switch (random() % 5) {
      case 0: Touch(a); break;
      case 1: ::unlink(a.c_str()); break;
      case 2: ::rename(a.c_str(), b.c_str()); break;
      case 3: ::mkdir(a.c_str(), 0777); break;
      default: ::rmdir(a.c_str()); break;
    }
  }
};

TEST_F(FolderIndexTest, AnswersAsAFreshReadWhileTheFolderChanges) {
  const std::string folder = Crowded("many");
  std::mt19937 random(11);
  for (int step = 0; step < 1000; ++step) {
    Change(folder, random);
    ExpectSameAnswers(folder, random);
  }
}

// A small folder is indexed when it is looked up again soon after; from
// then on it follows every change as a crowded one does.
TEST_F(FolderIndexTest, ASmallFolderLookedUpAgainAnswersAsAFreshRead) {
  const std::string folder = dir.file("few");
  ASSERT_EQ(0, mkdir(folder.c_str(), 0777));
  std::mt19937 random(13);
  for (int step = 0; step < 500; ++step) {
    Change(folder, random);
    ExpectSameAnswers(folder, random);
  }
}

TEST_F(FolderIndexTest, SeesChangesOfAnotherProcess) {
  const std::string folder = Crowded("many");
  std::mt19937 random(5);
  for (int round = 0; round < 30; ++round) {
    ExpectSameAnswers(folder, random);  // the index is current before the child runs
    const unsigned childSeed = static_cast<unsigned>(random());
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // The child looks up names too (its own index), then changes the folder.
      std::mt19937 childRandom(childSeed);
      bool same = true;
      for (int i = 0; i < 20; ++i) {
        const std::string name = RandomName(childRandom);
        same = same && ScanIgnoringCase(folder, name) == FindIgnoringCase(folder, name);
        Change(folder, childRandom);
      }
      _exit(same ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ExpectSameAnswers(folder, random);
  }
}

TEST_F(FolderIndexTest, AFolderReplacedUnderItsPathIsReadAgain) {
  const std::string folder = Crowded("many");
  Touch(folder + "/Old.tmp");
  EXPECT_EQ("Old.tmp", FindIgnoringCase(folder, "old.TMP"));
  ASSERT_EQ(0, ::rename(folder.c_str(), dir.file("moved").c_str()));
  Crowded("many");
  Touch(folder + "/OLD.tmp");
  EXPECT_EQ("OLD.tmp", FindIgnoringCase(folder, "old.TMP"));
  // The parent renamed: the same path names another folder without any
  // change inside the indexed one.
  ASSERT_EQ(0, ::rename(dir.file("moved").c_str(), dir.file("parked").c_str()));
  ASSERT_EQ(0, ::rename(folder.c_str(), dir.file("moved").c_str()));
  ASSERT_EQ(0, ::rename(dir.file("parked").c_str(), folder.c_str()));
  EXPECT_EQ("Old.tmp", FindIgnoringCase(folder, "old.TMP"));
  EXPECT_EQ("", FindIgnoringCase(dir.file("none"), "old.tmp"));
}

TEST_F(FolderIndexTest, ManyCrowdedFoldersAtOnce) {
  std::mt19937 random(3);
  std::vector<std::string> folders;
  for (int i = 0; i < 20; ++i) folders.push_back(Crowded("many" + std::to_string(i)));
  for (int step = 0; step < 150; ++step) {
    const std::string& folder = folders[random() % folders.size()];
    Change(folder, random);
    ExpectSameAnswers(folder, random);
  }
}

TEST_F(FolderIndexTest, NewFilesTakeTheNameOfAnEntryThatDiffersInCase) {
  // Through the layer's calls: a crowded temporary folder, a file made by
  // another program between two calls.
  const std::string folder = Crowded("many");
  char name[MAX_PATH];
  ASSERT_NE(0u, GetTempFileNameA((folder + "/").c_str(), "VXK", 0, name));
  Touch(folder + "/Report.SQL");
  HANDLE file = CreateFileA((folder + "/report.sql").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  CloseHandle(file);
  struct stat st;
  EXPECT_NE(0, stat((folder + "/report.sql").c_str(), &st));
  EXPECT_EQ(0, ::unlink((folder + "/Report.SQL").c_str()));
  EXPECT_EQ(INVALID_HANDLE_VALUE, CreateFileA((folder + "/REPORT.sql").c_str(), GENERIC_READ, 0, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace
