// PAScriptSettingsArray: owning its records, sorting by priority, and the
// index check of GetAt.
#include <windows.h>

#include <vector>

#include <gtest/gtest.h>
#include <tekora/tekora.h>

namespace {

// A record that counts its destruction, to see the array delete it.
class CountedSettings : public PAScriptSettings {
 public:
  CountedSettings(int priority, int* deleted) : m_pnDeleted(deleted) { SetPriority(priority); }
  ~CountedSettings() override { ++*m_pnDeleted; }

 private:
  int* m_pnDeleted;
};

PAScriptSettings* WithPriority(int priority) {
  PAScriptSettings* settings = new PAScriptSettings;
  settings->SetPriority(priority);
  return settings;
}

std::vector<int> Priorities(const PAScriptSettingsArray& array) {
  std::vector<int> result;
  for (int i = 0; i < array.GetSize(); ++i) result.push_back(array.GetAt(i)->GetPriority());
  return result;
}

TEST(ScriptSettingsArray, SortsByAscendingPriority) {
  PAScriptSettingsArray array;
  for (int priority : {50, -1, 3, 10, 3, 0, 7}) array.Add(WithPriority(priority));
  EXPECT_EQ(1, array.SortByPriority());
  EXPECT_EQ((std::vector<int>{-1, 0, 3, 3, 7, 10, 50}), Priorities(array));
}

TEST(ScriptSettingsArray, NothingToSortWithFewerThanTwo) {
  PAScriptSettingsArray array;
  EXPECT_EQ(0, array.SortByPriority());
  PAScriptSettings* only = WithPriority(4);
  array.Add(only);
  EXPECT_EQ(0, array.SortByPriority());
  ASSERT_EQ(1, array.GetSize());
  EXPECT_EQ(only, array.GetAt(0));
}

TEST(ScriptSettingsArray, EmptySlotsSortFirst) {
  PAScriptSettingsArray array;
  array.Add(WithPriority(2));
  array.Add(nullptr);
  array.Add(WithPriority(1));
  EXPECT_EQ(1, array.SortByPriority());
  EXPECT_EQ(nullptr, array.GetAt(0));
  EXPECT_EQ(1, array.GetAt(1)->GetPriority());
  EXPECT_EQ(2, array.GetAt(2)->GetPriority());
}

TEST(ScriptSettingsArray, ComparePriority) {
  PAScriptSettings* low = WithPriority(1);
  PAScriptSettings* high = WithPriority(9);
  PAScriptSettings* alsoHigh = WithPriority(9);
  EXPECT_EQ(1, PAScriptSettingsArray::ComparePriority(&high, &low));
  EXPECT_EQ(-1, PAScriptSettingsArray::ComparePriority(&low, &high));
  EXPECT_EQ(0, PAScriptSettingsArray::ComparePriority(&high, &alsoHigh));
  delete low;
  delete high;
  delete alsoHigh;
}

TEST(ScriptSettingsArray, GetAtOutOfRangeRaisesInvalidArgument) {
  PAScriptSettingsArray array;
  array.Add(WithPriority(1));
  for (int index : {-1, 1, 100}) {
    bool raised = false;
    try {
      array.GetAt(index);
    } catch (CInvalidArgException* e) {
      e->Delete();
      raised = true;
    }
    EXPECT_TRUE(raised) << index;
  }
}

TEST(ScriptSettingsArray, OwnsItsRecords) {
  int deleted = 0;
  {
    PAScriptSettingsArray array;
    array.Add(new CountedSettings(1, &deleted));
    array.Add(nullptr);
    array.Add(new CountedSettings(2, &deleted));
    array.RemoveAll();
    EXPECT_EQ(2, deleted);
    EXPECT_EQ(0, array.GetSize());
    array.Add(new CountedSettings(3, &deleted));
  }
  EXPECT_EQ(3, deleted);  // the destructor deletes what is left
}

}  // namespace
