// CoCreateGuid: random version-4 GUIDs.
#include <string.h>
#include <windows.h>

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(CoCreateGuidTest, VersionFourGuidsThatDiffer) {
  std::set<std::string> seen;
  for (int i = 0; i < 1000; ++i) {
    GUID guid;
    memset(&guid, 0, sizeof guid);
    ASSERT_EQ(S_OK, CoCreateGuid(&guid));
    EXPECT_EQ(0x4000, guid.Data3 & 0xF000);
    EXPECT_EQ(0x80, guid.Data4[0] & 0xC0);
    seen.insert(std::string(reinterpret_cast<const char*>(&guid), sizeof guid));
  }
  EXPECT_EQ(1000u, seen.size());
}

TEST(CoCreateGuidTest, NullIsRefused) { EXPECT_EQ(E_INVALIDARG, CoCreateGuid(nullptr)); }

}  // namespace
