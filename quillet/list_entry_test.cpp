// The cleaning of list-file lines.
#include <gtest/gtest.h>

#include "list_entry.h"

namespace {

std::string Normalized(const char* line) {
  CString entry = line;
  NormalizeListEntry(entry);
  return static_cast<const char*>(entry);
}

TEST(ListEntryTest, OnePairOfQuotesGoesWithTheBlanksInside) {
  EXPECT_EQ("a b.sql", Normalized("  ' a b.sql '  "));
  EXPECT_EQ("x.sql", Normalized("\t\"x.sql\" "));
  EXPECT_EQ("'y.sql'", Normalized("\"'y.sql'\""));
  EXPECT_EQ("", Normalized(" '' "));
}

TEST(ListEntryTest, UnpairedQuotesStay) {
  EXPECT_EQ("'y.sql\"", Normalized("'y.sql\""));
  EXPECT_EQ("'z.sql", Normalized("'z.sql"));
}

TEST(ListEntryTest, LoneQuoteLeavesNothing) {
  EXPECT_EQ("", Normalized("\""));
  EXPECT_EQ("", Normalized("  '  "));
}

}  // namespace
