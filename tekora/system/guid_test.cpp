// The GUID registry, the two text forms, and GUIDs unique in the process.
#include <string.h>

#include <set>
#include <string>

#include <tekora/tekora.h>
#include <gtest/gtest.h>

namespace {

// {41F2BBD0-D9BD-11d1-8E97-0020AFF4C1F6}, the build-runner files' kind.
const GUID kRunnerGuid = {0x41F2BBD0, 0xD9BD, 0x11d1, {0x8E, 0x97, 0x00, 0x20, 0xAF, 0xF4, 0xC1, 0xF6}};

class GuidTest : public ::testing::Test {
 protected:
  void SetUp() override { PAClearGuidRegistry(); }
  void TearDown() override { PAClearGuidRegistry(); }
};

TEST_F(GuidTest, BothTextFormsInUpperCase) {
  CString text;
  EXPECT_EQ(1, PAFormatGuid(1, &kRunnerGuid, text));
  EXPECT_STREQ("{41F2BBD0-D9BD-11D1-8E97-0020AFF4C1F6}", text);
  EXPECT_EQ(1, PAFormatGuid(0, &kRunnerGuid, text));
  EXPECT_STREQ("41F2BBD0_D9BD_11D1_8E97_0020AFF4C1F6", text);
  const GUID zero = {};
  EXPECT_EQ(1, PAFormatGuid(7, &zero, text));
  EXPECT_STREQ("{00000000-0000-0000-0000-000000000000}", text);
  EXPECT_EQ(0, PAFormatGuid(1, nullptr, text));
  EXPECT_STREQ("", text);
}

TEST_F(GuidTest, RegistryRefusesRepeatsUntilCleared) {
  EXPECT_EQ(1, PARegisterGuid(&kRunnerGuid));
  EXPECT_EQ(0, PARegisterGuid(&kRunnerGuid));
  PAClearGuidRegistry();
  EXPECT_EQ(1, PARegisterGuid(&kRunnerGuid));
  EXPECT_EQ(0, PARegisterGuid(nullptr));
}

TEST_F(GuidTest, CreatedGuidsAreRegistered) {
  GUID guid;
  EXPECT_EQ(&guid, PACreateUniqueGuid(&guid));
  EXPECT_EQ(0, PARegisterGuid(&guid));
  EXPECT_EQ(nullptr, PACreateUniqueGuid(nullptr));
}

TEST_F(GuidTest, NewGuidStringsInBothForms) {
  CString braces, underscores;
  EXPECT_EQ(1, PANewGuidString(1, braces));
  EXPECT_EQ(1, PANewGuidString(0, underscores));
  EXPECT_EQ(38, braces.GetLength());
  EXPECT_EQ('{', braces[0]);
  EXPECT_EQ('-', braces[9]);
  EXPECT_EQ(36, underscores.GetLength());
  EXPECT_EQ('_', underscores[8]);
  EXPECT_EQ(std::string(underscores), std::string(CString(underscores).MakeUpper()));
}

TEST_F(GuidTest, UniqueOverAHundredThousandCalls) {
  std::set<std::string> seen;
  for (int i = 0; i < 100000; ++i) {
    CString text;
    PANewGuidString(0, text);
    seen.insert(std::string(text));
  }
  EXPECT_EQ(100000u, seen.size());
}

}  // namespace
