#include <afxcoll.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kGreek[] = {"alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta", "theta", "iota", "kappa"};

std::vector<std::string> KeysInIterationOrder(const CMapStringToString& map) {
  std::vector<std::string> keys;
  CString key, value;
  for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
    map.GetNextAssoc(pos, key, value);
    keys.push_back(std::string(key));
  }
  return keys;
}

bool ThrowsInvalidArg(void (*f)(CStringArray&), CStringArray& array) {
  try {
    f(array);
  } catch (CException* e) {
    bool matches = e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)) != FALSE;
    e->Delete();
    return matches;
  }
  return false;
}

// The order callers observe: buckets in index order (hash h*33+c modulo the
// table size), each chain newest first.
TEST(MapTest, IterationFollowsBucketsAndNewestFirstWithinABucket) {
  CMapStringToString map;
  EXPECT_EQ(NULL, map.GetStartPosition());
  for (const char* key : kGreek) map.SetAt(key, key);
  EXPECT_EQ(17u, map.GetHashTableSize());
  // beta and gamma share bucket 1, alpha and theta bucket 9.
  std::vector<std::string> expected = {"gamma", "beta", "delta", "iota", "kappa",
                                       "epsilon", "theta", "alpha", "zeta", "eta"};
  EXPECT_EQ(expected, KeysInIterationOrder(map));
}

TEST(MapTest, InitHashTableChangesTheBucketsAndKeepsTheContents) {
  CMapStringToString map(10);
  map.InitHashTable(5);
  for (const char* key : kGreek) map[key] = key;
  std::vector<std::string> expected = {"beta", "alpha", "kappa", "gamma", "theta",
                                       "zeta", "iota", "eta", "epsilon", "delta"};
  EXPECT_EQ(expected, KeysInIterationOrder(map));

  // Resizing a filled map keeps every association reachable.
  map.InitHashTable(139);
  EXPECT_EQ(10, map.GetCount());
  for (const char* key : kGreek) {
    CString value;
    EXPECT_TRUE(map.Lookup(key, value)) << key;
    EXPECT_STREQ(key, value);
  }
}

TEST(MapTest, KeysAreExactCase) {
  CMapStringToString map;
  map.SetAt("Key", "upper");
  map.SetAt("key", "lower");
  EXPECT_EQ(2, map.GetCount());
  CString value("unchanged");
  EXPECT_FALSE(map.Lookup("KEY", value));
  EXPECT_STREQ("unchanged", value);
  EXPECT_TRUE(map.Lookup("Key", value));
  EXPECT_STREQ("upper", value);
  EXPECT_FALSE(map.RemoveKey("KEY"));
  EXPECT_TRUE(map.RemoveKey("key"));
  EXPECT_FALSE(map.RemoveKey("key"));
  EXPECT_EQ(1, map.GetCount());
  map.SetAt("Key", "again");
  EXPECT_EQ(1, map.GetCount());
  EXPECT_STREQ("again", map["Key"]);
}

TEST(MapTest, SmallBlocksAndReuseAfterRemovalKeepEveryValue) {
  CMapStringToOb map(1);  // one association per allocation
  CMapStringToPtr index(3);
  for (int i = 0; i < 500; ++i) {
    CString key;
    key.Format("k%d", i);
    index.SetAt(key, reinterpret_cast<void*>(static_cast<intptr_t>(i + 1)));
    map.SetAt(key, NULL);
  }
  for (int i = 0; i < 500; i += 2) {
    CString key;
    key.Format("k%d", i);
    EXPECT_TRUE(index.RemoveKey(key));
  }
  for (int i = 500; i < 600; ++i) {
    CString key;
    key.Format("k%d", i);
    index.SetAt(key, reinterpret_cast<void*>(static_cast<intptr_t>(i + 1)));
  }
  EXPECT_EQ(350, index.GetCount());
  for (int i = 1; i < 600; i += 2) {
    CString key;
    key.Format("k%d", i);
    void* value = NULL;
    ASSERT_TRUE(index.Lookup(key, value)) << i;
    EXPECT_EQ(i + 1, static_cast<int>(reinterpret_cast<intptr_t>(value)));
  }
  EXPECT_EQ(500, map.GetCount());
  map.RemoveAll();
  EXPECT_TRUE(map.IsEmpty());
}

TEST(MapTest, RemovingTheCurrentAssociationWhileIteratingIsAllowed) {
  CMapStringToString map;
  for (const char* key : kGreek) map.SetAt(key, "v");
  int visited = 0;
  CString key, value;
  for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
    map.GetNextAssoc(pos, key, value);
    EXPECT_TRUE(map.RemoveKey(key));
    ++visited;
  }
  EXPECT_EQ(10, visited);
  EXPECT_TRUE(map.IsEmpty());
  EXPECT_EQ(NULL, map.GetStartPosition());
}

TEST(ArrayTest, AddInsertRemoveAndGrow) {
  CStringArray a;
  EXPECT_EQ(-1, a.GetUpperBound());
  EXPECT_EQ(0, a.Add("one"));
  EXPECT_EQ(1, a.Add(CString("three")));
  a.InsertAt(1, "two");
  a.InsertAt(5, "six");  // past the end: the gap is filled with empty strings
  ASSERT_EQ(6, a.GetSize());
  EXPECT_STREQ("two", a[1]);
  EXPECT_STREQ("", a[3]);
  EXPECT_STREQ("six", a.GetAt(5));
  a.RemoveAt(3, 2);
  EXPECT_EQ(4, a.GetCount());
  EXPECT_STREQ("six", a[3]);
  a.SetAtGrow(5, "five");
  EXPECT_EQ(6, a.GetSize());
  a.ElementAt(0) += "!";
  EXPECT_STREQ("one!", a[0]);
  a.SetSize(2);
  EXPECT_EQ(2, a.GetSize());
}

TEST(ArrayTest, AppendCopyAndInsertArrayIncludingItself) {
  CStringArray a, b;
  a.Add("x");
  a.Add("y");
  EXPECT_EQ(2, a.Append(a));
  ASSERT_EQ(4, a.GetSize());
  EXPECT_STREQ("y", a[3]);
  b.Copy(a);
  b.InsertAt(1, &a);
  ASSERT_EQ(8, b.GetSize());
  EXPECT_STREQ("x", b[1]);
  EXPECT_STREQ("y", b[7]);
  b.RemoveAll();
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_EQ(NULL, b.GetData());
}

TEST(ArrayTest, IndexesOutsideTheArrayThrowInvalidArgument) {
  CStringArray a;
  a.Add("only");
  EXPECT_TRUE(ThrowsInvalidArg([](CStringArray& x) { x.GetAt(1); }, a));
  EXPECT_TRUE(ThrowsInvalidArg([](CStringArray& x) { (void)x[-1]; }, a));
  EXPECT_TRUE(ThrowsInvalidArg([](CStringArray& x) { x.SetAt(1, "no"); }, a));
  EXPECT_TRUE(ThrowsInvalidArg([](CStringArray& x) { x.RemoveAt(0, 2); }, a));
  EXPECT_TRUE(ThrowsInvalidArg([](CStringArray& x) { x.InsertAt(-1, "no"); }, a));
  EXPECT_TRUE(ThrowsInvalidArg([](CStringArray& x) { x.SetSize(-1); }, a));
  EXPECT_EQ(1, a.GetSize());
}

TEST(ArrayTest, NumberAndPointerArraysStartZeroed) {
  CDWordArray numbers;
  numbers.SetSize(3);
  numbers[1] = 7;
  EXPECT_EQ(0u, numbers[0]);
  EXPECT_EQ(7u, numbers.GetData()[1]);
  CObArray objects;
  objects.SetSize(2);
  EXPECT_EQ(NULL, objects[1]);
}

TEST(ListTest, PositionsWalkBothWaysAndSurviveInsertion) {
  CStringList list;
  list.AddTail("b");
  list.AddHead("a");
  POSITION posC = list.AddTail("c");
  list.InsertBefore(posC, "b2");
  list.InsertAfter(posC, "d");
  std::string forward;
  for (POSITION pos = list.GetHeadPosition(); pos != NULL;) forward += std::string(list.GetNext(pos)) + " ";
  EXPECT_EQ("a b b2 c d ", forward);
  std::string backward;
  for (POSITION pos = list.GetTailPosition(); pos != NULL;) backward += std::string(list.GetPrev(pos)) + " ";
  EXPECT_EQ("d c b2 b a ", backward);
  EXPECT_EQ(posC, list.Find("c"));
  EXPECT_EQ(posC, list.FindIndex(3));
  EXPECT_EQ(NULL, list.FindIndex(5));
  list.RemoveAt(posC);
  EXPECT_STREQ("a", list.RemoveHead());
  EXPECT_STREQ("d", list.RemoveTail());
  EXPECT_EQ(2, list.GetCount());
  EXPECT_STREQ("b", list.GetHead());
  EXPECT_STREQ("b2", list.GetTail());
}

}  // namespace
