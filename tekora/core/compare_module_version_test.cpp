// The version gate: tekora's own DllGetVersion and PACompareModuleVersion
// against tekora and against modules that answer in other ways.
#include <string.h>

#include <tekora/tekora.h>
#include <gtest/gtest.h>

namespace {

TEST(CompareModuleVersionTest, AgainstTekoraItself) {
  EXPECT_EQ(0, PACompareModuleVersion("TEKORA.DLL", 1, 12, 279, 0));
  EXPECT_EQ(0, PACompareModuleVersion("tekora.dll", 1, 12, 279, 0));
  EXPECT_EQ(-3, PACompareModuleVersion("TEKORA.DLL", 1, 12, 280, 0));
  EXPECT_EQ(+2, PACompareModuleVersion("TEKORA.DLL", 1, 11, 279, 0));
  EXPECT_EQ(-4, PACompareModuleVersion("TEKORA.DLL", 1, 12, 279, 1));
  EXPECT_EQ(-1, PACompareModuleVersion("TEKORA.DLL", 2, 0, 0, 0));
  EXPECT_EQ(+1, PACompareModuleVersion("TEKORA.DLL", 0, 99, 999, 9));
  EXPECT_EQ(+3, PACompareModuleVersion("TEKORA.DLL", 1, 12, 278, 7));
}

TEST(CompareModuleVersionTest, ExpectedValuesAreComparedAsTheRecordPacksThem) {
  // Only the major's low 16 bits count; a build above 65535 is higher than any.
  EXPECT_EQ(0, PACompareModuleVersion("TEKORA.DLL", 0x10001, 12, 279, 0));
  EXPECT_EQ(-3, PACompareModuleVersion("TEKORA.DLL", 1, 12, 0x10000 + 279, 0));
  EXPECT_EQ(-2, PACompareModuleVersion("TEKORA.DLL", 1, 0x1000C, 279, 0));
}

TEST(CompareModuleVersionTest, ModulesThatCannotAnswer) {
  EXPECT_EQ(-1, PACompareModuleVersion("NOSUCHMODULE.DLL", 1, 12, 279, 0));
  EXPECT_EQ(-1, PACompareModuleVersion("VERBARE.DLL", 1, 12, 279, 0));
  EXPECT_EQ(-1, PACompareModuleVersion("VERFAILS.DLL", 1, 12, 279, 0));
  EXPECT_EQ(-1, PACompareModuleVersion("VERTHROWS.DLL", 1, 12, 279, 0));
}

TEST(CompareModuleVersionTest, ShortRecordComparesWithoutQfe) {
  EXPECT_EQ(0, PACompareModuleVersion("VER20ONLY.DLL", 1, 12, 279, 0));
  EXPECT_EQ(0, PACompareModuleVersion("VER20ONLY.DLL", 1, 12, 279, 5));
  EXPECT_EQ(-2, PACompareModuleVersion("VER20ONLY.DLL", 1, 13, 279, 0));
  // Without the packing of the long record the whole expected value counts.
  EXPECT_EQ(-1, PACompareModuleVersion("VER20ONLY.DLL", 0x10001, 12, 279, 0));
}

TEST(DllGetVersionTest, ShortRecordGetsFiveFields) {
  DLLVERSIONINFO2 record;
  memset(&record, 0xAB, sizeof record);
  record.info1.cbSize = sizeof(DLLVERSIONINFO);
  ASSERT_EQ(S_OK, DllGetVersion(&record.info1));
  EXPECT_EQ(1u, record.info1.dwMajorVersion);
  EXPECT_EQ(12u, record.info1.dwMinorVersion);
  EXPECT_EQ(279u, record.info1.dwBuildNumber);
  EXPECT_EQ(static_cast<DWORD>(DLLVER_PLATFORM_NT), record.info1.dwPlatformID);
  EXPECT_EQ(0xABABABABu, record.dwFlags);
}

TEST(DllGetVersionTest, LongRecordCarriesThePackedVersion) {
  DLLVERSIONINFO2 record;
  memset(&record, 0xAB, sizeof record);
  record.info1.cbSize = sizeof(DLLVERSIONINFO2);
  ASSERT_EQ(S_OK, DllGetVersion(&record.info1));
  EXPECT_EQ(0u, record.dwFlags);
  EXPECT_EQ(0x0001000C01170000ULL, record.ullVersion);
}

TEST(DllGetVersionTest, OtherSizesAndNullAreRefused) {
  DLLVERSIONINFO2 record;
  memset(&record, 0xAB, sizeof record);
  record.info1.cbSize = 24;
  EXPECT_EQ(E_INVALIDARG, DllGetVersion(&record.info1));
  EXPECT_EQ(0xABABABABu, record.info1.dwMajorVersion);
  EXPECT_EQ(E_INVALIDARG, DllGetVersion(nullptr));
}

}  // namespace
