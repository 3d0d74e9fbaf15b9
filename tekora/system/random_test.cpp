// PARandom: the ranges callers use, an even spread, and rejected bounds.
#include <tekora/tekora.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(RandomTest, ResultsStayBelowTheBound) {
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(0, PARandom(1));
  bool low = false, high = false;
  for (int i = 0; i < 20000; ++i) {
    int value = PARandom(32767);
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 32766);
    low = low || value < 1000;
    high = high || value > 31766;
  }
  EXPECT_TRUE(low && high);
}

TEST(RandomTest, TwentySixPrefixesComeEvenly) {
  std::vector<int> counts(26, 0);
  const int draws = 26 * 2000;
  for (int i = 0; i < draws; ++i) {
    int value = PARandom(26);
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 25);
    ++counts[value];
  }
  for (int count : counts) {
    EXPECT_GT(count, 1600);
    EXPECT_LT(count, 2400);
  }
}

TEST(RandomTest, BoundsOutsideTheContractGiveZero) {
  EXPECT_EQ(0, PARandom(0));
  EXPECT_EQ(0, PARandom(-5));
  EXPECT_EQ(0, PARandom(32768));
  EXPECT_EQ(0, PARandom(2147483647));
}

}  // namespace
