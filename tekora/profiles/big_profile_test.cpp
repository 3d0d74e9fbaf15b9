// The profile cache's lookup of its files: found without regard to case,
// the first match in the array, after any mix of additions and removals.
#include <string.h>

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/temp_dir.h>

namespace {

// The lookup as the cache defines it: the first file in the array whose
// path equals the one asked for without regard to case.
int ScanForFile(const PABigProfile& cache, const char* path) {
  for (int i = 0; i < cache.GetFileCount(); ++i) {
    if (_stricmp(cache.GetFile(i)->GetPath(), path) == 0) return i;
  }
  return -1;
}

// Paths from a small set of names, so that the same file comes up again in
// other cases; some differ only in bytes above 0x7F (distinct files that the
// index hashes alike) or in the case of such a byte.
std::string RandomPath(std::mt19937& random, const std::string& folder) {
  static const char* const kNames[] = {"a.ini", "B.ini", "proj\\Project.ini", "\xC4rger.ini", "\xE4rger.ini",
                                       "\xC4RGER.INI", "x\xFF.ini", "x\xFE.ini", "deep\\er\\C.INI", "d.ini"};
  std::string path = folder + "\\" + kNames[random() % 10];
  for (char& c : path) {
    if (random() % 2 == 0) continue;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return path;
}

class BigProfileTest : public testsupport::IsolatedTest {};

TEST_F(BigProfileTest, FindingAFileAgreesWithAScanAfterAnyChanges) {
  std::mt19937 random(13);
  for (int round = 0; round < 20; ++round) {
    PABigProfile cache;
    std::vector<std::string> folders;
    for (int f = 0; f < 1 + round % 7; ++f) folders.push_back(dir.winPath("folder" + std::to_string(f)));
    for (int step = 0; step < 400; ++step) {
      const std::string path = RandomPath(random, folders[random() % folders.size()]);
      switch (random() % 8) {
        case 0:
          if (cache.GetFileCount() > 0) {
            ASSERT_EQ(1, cache.RemoveFile(static_cast<int>(random() % cache.GetFileCount())));
          }
          break;
        case 1: {
          const int cached = ScanForFile(cache, path.c_str()) >= 0 ? 1 : 0;
          ASSERT_EQ(cached, cache.RemoveFile(path.c_str()));
          break;
        }
        case 2:
          if (random() % 10 == 0) cache.RemoveAllFiles();
          break;
        default: {
          const int before = cache.GetFileCount();
          const bool cached = ScanForFile(cache, path.c_str()) >= 0;
          ASSERT_EQ(1, cache.AddFile(path.c_str()));
          ASSERT_EQ(cached ? before : before + 1, cache.GetFileCount()) << path;
        }
      }
      for (int probe = 0; probe < 5; ++probe) {
        const std::string asked = RandomPath(random, folders[random() % folders.size()]);
        ASSERT_EQ(ScanForFile(cache, asked.c_str()), cache.FindFileIndex(asked.c_str())) << asked;
      }
      for (int i = 0; i < cache.GetFileCount(); ++i) ASSERT_EQ(i, cache.FindFileIndex(cache.GetFile(i)->GetPath()));
    }
  }
}

TEST_F(BigProfileTest, FilesAreFoundUnderEverySpellingOfTheirPath) {
  PABigProfile cache;
  ASSERT_EQ(1, cache.AddFile("one.ini"));
  ASSERT_EQ(1, cache.AddFile("Two.ini"));
  const std::string two = dir.winPath("Two.ini");
  EXPECT_EQ(1, cache.FindFileIndex(two.c_str()));
  EXPECT_EQ(cache.GetFile(1), cache.FindFile(dir.winPath("TWO.INI").c_str()));
  EXPECT_EQ(-1, cache.FindFileIndex("Two.ini"));  // a relative path is not made absolute here
  EXPECT_EQ(-1, cache.FindFileIndex(nullptr));
  EXPECT_EQ(nullptr, cache.FindFile(dir.winPath("three.ini").c_str()));
  // Making a cached path absolute once more changes nothing about finding it.
  cache.GetFile(1)->MakeFullPath();
  EXPECT_EQ(1, cache.FindFileIndex(two.c_str()));
  // Removing the first file moves the second into its place.
  EXPECT_EQ(1, cache.RemoveFile(dir.winPath("ONE.ini").c_str()));
  EXPECT_EQ(0, cache.FindFileIndex(two.c_str()));
  EXPECT_EQ(1, cache.RemoveAllFiles());
  EXPECT_EQ(-1, cache.FindFileIndex(two.c_str()));
  EXPECT_EQ(0, cache.RemoveAllFiles());
}

}  // namespace
