// Project tree nodes through the exported interface: trees loaded from and
// saved to their files, the CHILDS lists, template set-up, walks, finds,
// removals and the archive form.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

#include "../profiles/profile_cache_test_support.h"

namespace {

using testsupport::CrLf;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class NodeObjectTest : public ProfileCacheTest {
 protected:
  // A root node for the section of the file, loaded.
  static PANodeObject* Loaded(const char* file, const char* section, int* result = nullptr) {
    PANodeObject* root = new PANodeObject;
    root->SetFile(file);
    root->SetName(section);
    int loaded = root->Load();
    if (result) *result = loaded;
    return root;
  }

  // The names of the node's children, joined with "|".
  static std::string ChildNames(const PANodeObject* node) {
    std::string names;
    for (int i = 0; i < node->GetChildCount(); ++i) names += std::string(node->GetChild(i)->GetName()) + "|";
    return names;
  }

  // The value the cached file holds for the key (the empty default when
  // it has none).
  static std::string Cached(const char* file, const char* section, const char* key) {
    char value[2600];
    PAGetPrivateProfileString(section, key, "", value, sizeof value, file);
    return value;
  }
};

// The INI model writes sections and keys in sorted order.
const std::string kTree = CrLf({"[A]", "CHILDS=C,", "X=1", "", "[B]", "Z=3", "", "[C]", "Y=2", "", "[MAIN]",
                                "CHILDS=A,B,", "GUID=g", ""});

TEST_F(NodeObjectTest, LoadedTreesSaveBackByteForByte) {
  WriteBytes(dir.file("t.ini"), kTree);
  PANodeObject* root = Loaded("t.ini", "MAIN");
  EXPECT_EQ("A|B|", ChildNames(root));
  EXPECT_EQ("C|", ChildNames(root->GetChild(0)));
  EXPECT_STREQ("2", root->FindItem("y", 1)->GetValue());
  EXPECT_EQ(nullptr, root->FindItem("y", 0));
  EXPECT_EQ(root->GetChild(0), root->GetChild(0)->GetChild(0)->GetParent());
  EXPECT_EQ(1, root->Save());
  EXPECT_EQ(1, PAWritePrivateProfileString(NULL, NULL, NULL, "t.ini"));
  EXPECT_EQ(kTree, ReadBytes(dir.file("t.ini")));
  delete root;

  // A new tree written to a new file reads back as it was built.
  PANodeObject built;
  PANodeTemplate none = {0, NULL, NULL, NULL, "ROOT"};
  built.InitFromTemplate("n.ini", &none, &built, 0);
  PAConfigInt* item = new PAConfigInt("n.ini", "ROOT", "KEY", NULL);
  item->SetValue("v");
  built.AddItem(item);
  for (const char* name : {"ABC", "AB"}) {
    PANodeObject* child = new PANodeObject;
    PANodeTemplate named = {0, NULL, NULL, NULL, name};
    child->InitFromTemplate("n.ini", &named, &built, 0);
    PAConfigInt* childItem = new PAConfigInt("n.ini", name, "K", NULL);
    childItem->SetValue(name);
    child->AddItem(childItem);
    built.AddChild(child);
  }
  built.Save();
  EXPECT_EQ(1, PASaveProfiles());
  EXPECT_EQ(CrLf({"[AB]", "K=AB", "", "[ABC]", "K=ABC", "", "[ROOT]", "CHILDS=ABC,AB,", "KEY=v", ""}),
            ReadBytes(dir.file("n.ini")));
  PAFlushProfiles();
  PANodeObject* back = Loaded("n.ini", "ROOT");
  EXPECT_EQ("ABC|AB|", ChildNames(back));  // "AB" is listed although "ABC" holds it
  delete back;
}

TEST_F(NodeObjectTest, ChildsListsAreCutAtEachComma) {
  WriteBytes(dir.file("c.ini"), CrLf({"[R]", "CHILDS=A,,B,A, B,Missing,", "[A]", "K=a", "[B]", "K=b"}));
  PANodeObject* root = Loaded("c.ini", "R");
  EXPECT_EQ("A|B|", ChildNames(root));  // the empty, untrimmed and missing names add nothing
  delete root;

  // A section whose only key is CHILDS loads; an empty CHILDS is deleted.
  WriteBytes(dir.file("o.ini"), CrLf({"[R]", "CHILDS=A,", "[A]", "CHILDS=", "K=1"}));
  int result = 0;
  root = Loaded("o.ini", "R", &result);
  EXPECT_EQ(1, result);
  EXPECT_EQ("A|", ChildNames(root));
  PASaveProfiles();
  EXPECT_EQ(CrLf({"[A]", "K=1", "", "[R]", "CHILDS=A,", ""}), ReadBytes(dir.file("o.ini")));
  delete root;
}

TEST_F(NodeObjectTest, ListsThatNameTheNodeOrAnAncestorDoNotRecurse) {
  WriteBytes(dir.file("l.ini"),
             CrLf({"[MAIN]", "CHILDS=main,A,", "[A]", "CHILDS=MAIN,A,B,", "[B]", "CHILDS=a,B,C,", "[C]", "K=c"}));
  PANodeObject* root = Loaded("l.ini", "MAIN");
  EXPECT_EQ("A|", ChildNames(root));
  EXPECT_EQ("B|", ChildNames(root->GetChild(0)));
  EXPECT_EQ("C|", ChildNames(root->GetChild(0)->GetChild(0)));
  delete root;
}

TEST_F(NodeObjectTest, LoadFailsWithoutFileNameOrKeys) {
  int result = 1;
  delete Loaded("absent.ini", "MAIN", &result);
  EXPECT_EQ(0, result);
  WriteBytes(dir.file("s.ini"), CrLf({"[MAIN]", "K=1"}));  // shorter than 52 bytes: still loads
  PANodeObject* small = Loaded("s.ini", "MAIN", &result);
  EXPECT_EQ(1, result);
  EXPECT_STREQ("1", small->FindItem("K", 0)->GetValue());
  delete small;
  delete Loaded("s.ini", "OTHER", &result);
  EXPECT_EQ(0, result);
  delete Loaded("s.ini", "", &result);
  EXPECT_EQ(0, result);
}

TEST_F(NodeObjectTest, SaveDeletesWhatMayNotBeStored) {
  WriteBytes(dir.file("d.ini"), kTree);
  PANodeObject* root = Loaded("d.ini", "MAIN");
  root->FindItem("GUID", 0)->SetDoNotStore(1);
  PANodeObject* b = root->GetChild(1);
  root->RemoveChild(b);  // erases B's keys at once
  EXPECT_EQ("", Cached("d.ini", "B", "Z"));
  root->GetChild(0)->GetChild(0)->RemoveAllItems();
  PANodeObject* a = root->GetChild(0);
  a->RemoveChild(a->GetChild(0));
  root->Save();
  PASaveProfiles();
  const std::string saved = ReadBytes(dir.file("d.ini"));
  EXPECT_EQ(std::string::npos, saved.find("GUID"));
  EXPECT_NE(std::string::npos, saved.find("CHILDS=A,\r\n"));
  EXPECT_EQ(std::string::npos, saved.find("CHILDS=C,"));  // A has no children: its list is gone
  delete root;
}

TEST_F(NodeObjectTest, TemplatesSetUpWithoutTouchingTheFile) {
  static const PAEntryTemplate kNumber = {12, 42, NULL, 0, 1};
  static const PAEntryTemplate kHidden = {12, 0, NULL, 1, 0};
  static const PAEntryTemplate* const kEntries[] = {&kNumber, NULL};
  static const PAEntryTemplate* const kHiddenEntries[] = {&kHidden, NULL};
  static const PANodeTemplate kChild = {0, kHiddenEntries, NULL, NULL, "CHILD"};
  static const PANodeTemplate* const kChildren[] = {&kChild, NULL};
  static const PANodeTemplate kRoot = {0, kEntries, kChildren, NULL, "ROOT"};
  PANodeObject root;
  EXPECT_EQ(0, root.InitFromTemplate("tpl.ini", NULL, &root, 0));
  EXPECT_EQ(1, root.InitFromTemplate("tpl.ini", &kRoot, &root, 0));
  EXPECT_EQ(1, root.InitFromTemplate("tpl.ini", &kRoot, &root, 0));  // again: nothing added twice
  ASSERT_EQ(1, root.GetItemCount());
  EXPECT_STREQ("42", root.GetItem(0)->GetValue());
  ASSERT_EQ(1, root.GetChildCount());
  EXPECT_EQ(1, root.GetChild(0)->GetItem(0)->GetDoNotStore());
  EXPECT_EQ(nullptr, root.GetItem(1));
  EXPECT_EQ(nullptr, root.GetChild(-1));
  EXPECT_EQ(nullptr, root.FindChild(NULL, 1));
  EXPECT_EQ(0, PASaveProfiles());
  EXPECT_FALSE(testsupport::Exists(dir.file("tpl.ini")));
}

// The items a template sets up share their node's texts; each item still
// has an address of its own, and without a file no address at all.
TEST_F(NodeObjectTest, TemplateItemsTakeTheirNodesAddress) {
  static const AfxStringResource kTexts[] = {{48201, "KEY_A"}, {48202, "KEY_B"}, {48203, "default b"}};
  AfxStringResourceRegistrar texts(kTexts, 3);
  static const PAEntryTemplate kA = {48201, 0, NULL, 0, 0};
  static const PAEntryTemplate kB = {48202, 48203, NULL, 0, 0};
  static const PAEntryTemplate kMissing = {48209, 48209, NULL, 0, 0};  // numbers without a text
  static const PAEntryTemplate* const kEntries[] = {&kA, &kB, &kMissing, NULL};
  static const PAEntryTemplate* const kChildEntries[] = {&kB, NULL};
  static const PANodeTemplate kChild = {0, kChildEntries, NULL, NULL, "CHILD"};
  static const PANodeTemplate* const kChildren[] = {&kChild, NULL};
  static const PANodeTemplate kRoot = {0, kEntries, kChildren, NULL, "ROOT"};

  PANodeObject root;
  ASSERT_EQ(1, root.InitFromTemplate("tpl.ini", &kRoot, &root, 0));
  ASSERT_EQ(3, root.GetItemCount());
  const char* const keys[] = {"KEY_A", "KEY_B", ""};
  const char* const values[] = {"", "default b", ""};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const PAConfigInt* item = root.GetItem(i);
    EXPECT_STREQ("tpl.ini", item->GetFile());
    EXPECT_STREQ("ROOT", item->GetSection());
    EXPECT_STREQ(keys[i], item->GetKey());
    EXPECT_STREQ(values[i], item->GetValue());
    EXPECT_STREQ("", item->GetDefault());
  }
  const PAConfigInt* childItem = root.GetChild(0)->GetItem(0);
  EXPECT_STREQ("tpl.ini", childItem->GetFile());
  EXPECT_STREQ("CHILD", childItem->GetSection());
  EXPECT_STREQ("KEY_B", childItem->GetKey());
  // A new address for one item leaves its siblings' as they were.
  root.GetItem(0)->Init("other.ini", "S", "K", NULL);
  EXPECT_STREQ("other.ini", root.GetItem(0)->GetFile());
  EXPECT_STREQ("tpl.ini", root.GetItem(1)->GetFile());
  EXPECT_STREQ("ROOT", root.GetItem(1)->GetSection());
  EXPECT_STREQ("KEY_B", root.GetItem(1)->GetKey());

  PANodeObject unfiled;
  ASSERT_EQ(1, unfiled.InitFromTemplate("", &kRoot, &unfiled, 0));
  // Keyless, the third entry finds the first item.
  ASSERT_EQ(2, unfiled.GetItemCount());
  EXPECT_STREQ("", unfiled.GetItem(1)->GetSection());
  EXPECT_STREQ("", unfiled.GetItem(1)->GetKey());
  EXPECT_STREQ("default b", unfiled.GetItem(1)->GetValue());
  EXPECT_EQ(0, unfiled.GetItem(1)->IsComplete(0));
}

// Visits nodes, records their names, and answers from a map of verdicts.
struct WalkLog {
  std::string visited;
  std::string stopAt, skipAt;
};

int Visit(PANodeObject* node, void* user) {
  WalkLog* log = static_cast<WalkLog*>(user);
  log->visited += std::string(node->GetName()) + "|";
  if (log->stopAt == node->GetName()) return 0;
  if (log->skipAt == node->GetName()) return -1;
  return 1;
}

TEST_F(NodeObjectTest, WalksStopAndSkip) {
  WriteBytes(dir.file("w.ini"), kTree);
  PANodeObject* root = Loaded("w.ini", "MAIN");
  WalkLog all;
  EXPECT_EQ(1, root->Walk(Visit, &all));
  EXPECT_EQ("MAIN|A|C|B|", all.visited);
  WalkLog skip{"", "", "A"};
  EXPECT_EQ(1, root->Walk(Visit, &skip));
  EXPECT_EQ("MAIN|A|B|", skip.visited);
  WalkLog skipRoot{"", "", "MAIN"};
  EXPECT_EQ(1, root->Walk(Visit, &skipRoot));
  EXPECT_EQ("MAIN|", skipRoot.visited);
  WalkLog stop{"", "C", ""};
  EXPECT_EQ(0, root->Walk(Visit, &stop));
  EXPECT_EQ("MAIN|A|C|", stop.visited);
  delete root;
}

TEST_F(NodeObjectTest, ArchivedTreesReadBackAsWritten) {
  WriteBytes(dir.file("a.ini"), kTree);
  PANodeObject* root = Loaded("a.ini", "MAIN");
  root->SetParent(root);
  {
    CFile file("tree.bin", CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    ar << root;
  }
  CFile file("tree.bin", CFile::modeRead);
  CArchive ar(&file, CArchive::load);
  PANodeObject* back = NULL;
  ar >> back;
  ASSERT_NE(nullptr, back);
  EXPECT_EQ(back, back->GetParent());
  EXPECT_STREQ("a.ini", back->GetFile());
  EXPECT_EQ("A|B|", ChildNames(back));
  EXPECT_EQ(back, back->GetChild(0)->GetParent());
  EXPECT_EQ(back->GetChild(0), back->GetChild(0)->GetChild(0)->GetParent());
  EXPECT_STREQ("2", back->GetChild(0)->GetChild(0)->GetItem(0)->GetValue());
  EXPECT_STREQ("", back->GetItem(0)->GetKey());  // items keep default and value only
  delete back;
  delete root;
}

}  // namespace
