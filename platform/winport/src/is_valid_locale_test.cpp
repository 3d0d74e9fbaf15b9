// IsValidLocale for the identifiers Windows accepts and refuses.
#include <windows.h>

#include <gtest/gtest.h>

#include "testsupport/platform.h"

namespace {

TEST(IsValidLocale, LocalesOfTheTable) {
  EXPECT_TRUE(IsValidLocale(0x0407, LCID_SUPPORTED));  // de-DE
  EXPECT_TRUE(IsValidLocale(0x0409, LCID_SUPPORTED));  // en-US
  EXPECT_TRUE(IsValidLocale(0x0807, LCID_SUPPORTED));  // de-CH
  EXPECT_TRUE(IsValidLocale(0x040C, LCID_INSTALLED));  // fr-FR
}

TEST(IsValidLocale, IdentifiersThatNameNoLocale) {
  EXPECT_FALSE(IsValidLocale(0, LCID_SUPPORTED));
  EXPECT_FALSE(IsValidLocale(12345, LCID_SUPPORTED));
  EXPECT_FALSE(IsValidLocale(0xFFFFFFFF, LCID_SUPPORTED));
  EXPECT_FALSE(IsValidLocale(LOCALE_USER_DEFAULT, LCID_SUPPORTED));
  EXPECT_FALSE(IsValidLocale(LOCALE_SYSTEM_DEFAULT, LCID_SUPPORTED));
}

// The layer knows fewer locales than Windows: a sublanguage outside its
// table is not valid, nor is a neutral sublanguage or another sort order.
TEST(IsValidLocale, OnlyExactIdentifiersOfTheTable) {
  if (testsupport::OnWindows()) GTEST_SKIP() << testsupport::kLayerRule;
  EXPECT_FALSE(IsValidLocale(0x1407, LCID_SUPPORTED));   // de-LI
  EXPECT_FALSE(IsValidLocale(0x0007, LCID_SUPPORTED));   // German, neutral
  EXPECT_FALSE(IsValidLocale(0x10407, LCID_SUPPORTED));  // de-DE, phone book sort
}

}  // namespace
