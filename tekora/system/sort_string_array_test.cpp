// PASortStringArray: the suite's name order.
#include <string>
#include <vector>

#include <tekora/tekora.h>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> Sorted(std::initializer_list<const char*> names, int* result = nullptr) {
  CStringArray array;
  for (const char* name : names) array.Add(name);
  int r = PASortStringArray(&array);
  if (result) *result = r;
  std::vector<std::string> out;
  for (INT_PTR i = 0; i < array.GetSize(); ++i) out.push_back(std::string(array[i]));
  return out;
}

using Names = std::vector<std::string>;

TEST(SortStringArrayTest, UnderscoreBeforeDigitsAndLetters) {
  int result = 0;
  EXPECT_EQ((Names{"A", "a_b", "AA", "B"}), Sorted({"B", "a_b", "A", "AA"}, &result));
  EXPECT_EQ(1, result);
  EXPECT_EQ((Names{"A_B", "A1"}), Sorted({"A1", "A_B"}));
  EXPECT_EQ((Names{"_", "!", "0", "a", "Z", "~"}), Sorted({"~", "Z", "a", "0", "!", "_"}));
  EXPECT_EQ((Names{"x", "x_", "x_y", "xa"}), Sorted({"xa", "x_y", "x", "x_"}));
}

TEST(SortStringArrayTest, CaseIsIgnoredAndHighBytesComeLast) {
  Names sorted = Sorted({"beta", "Alpha", "ALPHA2", "\xE4pfel", "zeta"});
  EXPECT_EQ("Alpha", sorted[0]);
  EXPECT_EQ("ALPHA2", sorted[1]);
  EXPECT_EQ("\xE4pfel", sorted[4]);
  Names same = Sorted({"abc", "ABC"});
  EXPECT_EQ(2u, same.size());
  EXPECT_EQ(0, CString(same[0].c_str()).CompareNoCase(same[1].c_str()));
}

TEST(SortStringArrayTest, NothingToSort) {
  int result = 1;
  EXPECT_TRUE(Sorted({}, &result).empty());
  EXPECT_EQ(0, result);
  EXPECT_EQ(0, PASortStringArray(nullptr));
  EXPECT_EQ((Names{"one"}), Sorted({"one"}, &result));
  EXPECT_EQ(1, result);
}

}  // namespace
