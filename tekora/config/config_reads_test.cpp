// An item's Read against the profile call it stands for: on generated files,
// the value read and what the cache adds (the missing keys with their
// defaults) are those of PAGetPrivateProfileString into a buffer of 2600.
#include <direct.h>

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

#include "../profiles/profile_cache_test_support.h"

namespace {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

class ConfigReadsTest : public ProfileCacheTest {};

std::string RandomText(std::mt19937& random, size_t longest) {
  static const char kChars[] = "ab Z9 =;[]\t-";
  std::string text(random() % (longest + 1), ' ');
  for (char& c : text) c = kChars[random() % (sizeof kChars - 1)];
  return text;
}

struct Probe {
  std::string section, key, defaultValue;
};

TEST_F(ConfigReadsTest, ReadsGiveWhatTheProfileCallGives) {
  std::mt19937 random(7);
  for (int round = 0; round < 10; ++round) {
    std::string file;
    std::vector<Probe> probes;
    for (int s = 0; s < 5; ++s) {
      const std::string section = "S" + std::to_string(s);
      file += "[" + section + "]\r\n";
      for (int k = 0; k < 8; ++k) {
        // Keys in two cases, and values from empty to longer than the buffer.
        const std::string key = (random() % 2 ? "k" : "K") + std::to_string(random() % 6);
        const size_t longest = random() % 4 == 0 ? 3000 : 20;
        file += key + "=" + RandomText(random, longest) + "\r\n";
      }
      for (int p = 0; p < 10; ++p) {
        probes.push_back({random() % 6 == 0 ? "s" + std::to_string(s) : section,
                          (random() % 2 ? "k" : "K") + std::to_string(random() % 8),
                          random() % 3 == 0 ? "" : RandomText(random, 8)});
      }
    }
    WriteBytes(dir.file("plain.ini"), file);
    WriteBytes(dir.file("items.ini"), file);
    for (const Probe& probe : probes) {
      char buffer[2600];
      buffer[0] = '\0';
      PAGetPrivateProfileString(probe.section.c_str(), probe.key.c_str(), probe.defaultValue.c_str(), buffer,
                                sizeof buffer, "plain.ini");
      const std::string expected = buffer[0] != '\0' ? buffer : probe.defaultValue;
      PAConfigString item("items.ini", probe.section.c_str(), probe.key.c_str(), probe.defaultValue.c_str());
      ASSERT_EQ(1, item.Read());
      ASSERT_EQ(expected, item.GetValue()) << probe.section << " " << probe.key;
    }
    ASSERT_EQ(1, PASaveProfiles());
    ASSERT_EQ(ReadBytes(dir.file("plain.ini")), ReadBytes(dir.file("items.ini")));
    PAGetProfileCache()->RemoveAllFiles();
  }
}

TEST_F(ConfigReadsTest, RelativeNamesFollowTheWorkingFolder) {
  testsupport::MakeDirs(dir.file("one"));
  testsupport::MakeDirs(dir.file("two"));
  WriteBytes(dir.file("one/x.ini"), "[S]\r\nK=one\r\n");
  WriteBytes(dir.file("two/x.ini"), "[S]\r\nK=two\r\n");
  const std::string absolute = dir.winPath("one") + "\\x.ini";
  PAConfigString relative("x.ini", "S", "K", NULL), fixed(absolute.c_str(), "S", "K", NULL);
  ASSERT_EQ(0, _chdir(dir.winPath("one").c_str()));
  ASSERT_EQ(1, relative.Read());
  EXPECT_STREQ("one", relative.GetValue());
  ASSERT_EQ(0, _chdir(dir.winPath("two").c_str()));
  // Twice each, one name after the other: the absolute form of the last
  // name is kept for the next call, and must not stand for another name.
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(1, relative.Read());
    EXPECT_STREQ("two", relative.GetValue());
    ASSERT_EQ(1, relative.Read());
    EXPECT_STREQ("two", relative.GetValue());
    ASSERT_EQ(1, fixed.Read());
    EXPECT_STREQ("one", fixed.GetValue());
  }
  EXPECT_EQ(2, PAGetProfileCache()->GetFileCount());
  ASSERT_EQ(0, _chdir(dir.winPath().c_str()));
}

}  // namespace
