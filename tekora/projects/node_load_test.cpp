// Loaded and saved trees against the profile calls: on generated files,
// every node holds one item per key that the key-name list gives (CHILDS
// aside, keys that differ only in case once), each with the value the string
// read gives; a save leaves the file as the same changes made through the
// write call do.
#include <string.h>

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

#include "../profiles/profile_cache_test_support.h"

namespace {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

class NodeLoadTest : public ProfileCacheTest {
 protected:
  // Writes the file as "tree.ini", to be loaded into `root` from its section
  // N0, and as "plain.ini", to be read the plain way beside it.
  void LoadBesidePlainCopy(const std::string& file, PANodeObject* root) {
    WriteBytes(dir.file("tree.ini"), file);
    WriteBytes(dir.file("plain.ini"), file);
    root->SetFile("tree.ini");
    root->SetName("N0");
    ASSERT_EQ(1, root->Load());
  }
};

// Sections N0 ... each listing a few later ones in CHILDS (in any case; a
// list now and then long enough that its children are found by name through
// an index, with names listed twice), with keys in two cases, some empty or
// long values, and a "childs" key now and then among the others.
std::string RandomTree(std::mt19937& random, int sections) {
  std::string file;
  for (int s = 0; s < sections; ++s) {
    file += "[N" + std::to_string(s) + "]\r\n";
    std::string childs;
    const int listed = random() % 5 == 0 ? 14 : 3;
    for (int c = 0; c < listed; ++c) {
      const int child = s + 1 + static_cast<int>(random() % (listed == 3 ? 6 : 12));
      if (child < sections && random() % 3) childs += (random() % 4 ? "N" : "n") + std::to_string(child) + ",";
    }
    if (!childs.empty()) file += (random() % 2 ? "CHILDS=" : "Childs=") + childs + "\r\n";
    for (int k = static_cast<int>(random() % 6); k > 0; --k) {
      const std::string key = (random() % 2 ? "key" : "KEY") + std::to_string(random() % 4);
      const size_t length = random() % 5 == 0 ? 2700 : random() % 12;
      file += key + "=" + std::string(length, static_cast<char>('a' + random() % 26)) + "\r\n";
    }
    file += "\r\n";
  }
  return file;
}

// The key names the profile call lists for the section.
std::vector<std::string> KeyNames(const char* file, const char* section) {
  std::vector<char> buffer(1 << 16);
  PAGetPrivateProfileKeyNames(section, buffer.data(), static_cast<unsigned int>(buffer.size()), file);
  std::vector<std::string> names;
  for (const char* name = buffer.data(); *name != '\0'; name += strlen(name) + 1) names.push_back(name);
  return names;
}

int CheckNode(PANodeObject* node, void* user) {
  std::vector<std::string> expected;
  for (const std::string& key : KeyNames(node->GetFile(), node->GetName())) {
    if (_stricmp(key.c_str(), "CHILDS") == 0) continue;
    bool seen = false;
    for (const std::string& other : expected) seen = seen || _stricmp(other.c_str(), key.c_str()) == 0;
    if (!seen) expected.push_back(key);
  }
  EXPECT_EQ(static_cast<int>(expected.size()), node->GetItemCount()) << node->GetName();
  // A name listed twice, in any case, is one child.
  for (int i = 0; i < node->GetChildCount(); ++i)
    for (int j = i + 1; j < node->GetChildCount(); ++j)
      EXPECT_NE(0, _stricmp(node->GetChild(i)->GetName(), node->GetChild(j)->GetName())) << node->GetName();
  for (int i = 0; i < node->GetItemCount() && i < static_cast<int>(expected.size()); ++i) {
    PAConfigInt* item = node->GetItem(i);
    EXPECT_EQ(expected[i], item->GetKey());
    char value[2600];
    PAGetPrivateProfileString(node->GetName(), item->GetKey(), "", value, sizeof value, node->GetFile());
    EXPECT_EQ(std::string(value), item->GetValue()) << node->GetName() << " " << item->GetKey();
  }
  ++*static_cast<int*>(user);
  return 1;
}

TEST_F(NodeLoadTest, LoadedNodesHoldWhatTheProfileCallsGive) {
  std::mt19937 random(11);
  for (int round = 0; round < 15; ++round) {
    WriteBytes(dir.file("tree.ini"), RandomTree(random, 40));
    PANodeObject root;
    root.SetFile("tree.ini");
    root.SetName("N0");
    if (!root.Load()) continue;  // N0 drawn without keys
    int nodes = 0;
    root.Walk(CheckNode, &nodes);
    EXPECT_GT(nodes, 0);
    // Loading twice reads the same items and children again and adds none.
    ASSERT_EQ(1, root.Load());
    int nodesAgain = 0;
    root.Walk(CheckNode, &nodesAgain);
    EXPECT_EQ(nodes, nodesAgain);
    PAGetProfileCache()->RemoveAllFiles();
  }
}

// Changes to a loaded tree: new values, items flagged do-not-store (their
// keys go), and items of another section or file among a node's items.
struct Changes {
  std::mt19937* random;
  std::string plainFile;
};

int ChangeNode(PANodeObject* node, void* user) {
  Changes* changes = static_cast<Changes*>(user);
  std::mt19937& random = *changes->random;
  const char* plain = changes->plainFile.c_str();
  for (int i = 0; i < node->GetItemCount(); ++i) {
    PAConfigInt* item = node->GetItem(i);
    switch (random() % 4) {
      case 0:
        item->SetValue(("new " + std::to_string(random() % 100)).c_str());
        PAWritePrivateProfileString(node->GetName(), item->GetKey(), item->GetValue(), plain);
        break;
      case 1:
        item->SetDoNotStore(1);
        PAWritePrivateProfileString(node->GetName(), item->GetKey(), nullptr, plain);
        break;
    }
  }
  if (random() % 4 == 0) {
    PAConfigInt* elsewhere = new PAConfigInt(node->GetFile(), "OTHER", node->GetName(), "x");
    elsewhere->SetValue("from elsewhere");
    node->AddItem(elsewhere);
    PAWritePrivateProfileString("OTHER", node->GetName(), "from elsewhere", plain);
  }
  return 1;
}

TEST_F(NodeLoadTest, SavedTreesWriteWhatTheWriteCallsWrite) {
  std::mt19937 random(5);
  for (int round = 0; round < 15; ++round) {
    // Sections that each list later ones once, so that a save writes the
    // CHILDS lists back as they were.
    std::string file;
    for (int s = 0; s < 30; ++s) {
      file += "[N" + std::to_string(s) + "]\r\n";
      std::string childs;
      for (int c = 3 * s + 1; c <= 3 * s + 3 && c < 30; ++c) childs += "N" + std::to_string(c) + ",";
      if (!childs.empty()) file += "CHILDS=" + childs + "\r\n";
      for (int k = static_cast<int>(random() % 4); k >= 0; --k) {
        file += "K" + std::to_string(k) + "=" + std::to_string(random() % 1000) + "\r\n";
      }
    }
    PANodeObject root;
    ASSERT_NO_FATAL_FAILURE(LoadBesidePlainCopy(file, &root));
    Changes changes{&random, dir.winPath("plain.ini")};
    root.Walk(ChangeNode, &changes);
    EXPECT_EQ(1, root.Save());
    PASaveProfiles();
    PAWritePrivateProfileString(nullptr, nullptr, nullptr, "plain.ini");
    ASSERT_EQ(ReadBytes(dir.file("plain.ini")), ReadBytes(dir.file("tree.ini")));
    PAGetProfileCache()->RemoveAllFiles();
  }
}

// The CHILDS list read the plain way, as a loaded node reads it: the string
// read, and a delete of the key when the list is empty.
int ReadChildsPlainly(PANodeObject* node, void* user) {
  PAConfigString childs(static_cast<const char*>(user), node->GetName(), "CHILDS", NULL);
  if (childs.Read() && *childs.GetValue() == '\0') childs.Remove(0);
  return 1;
}

TEST_F(NodeLoadTest, LeavesLeaveTheCachedFileAsThePlainReadOfTheirListDoes) {
  std::mt19937 random(23);
  const char* lists[] = {"", "CHILDS=\r\n", "childs=\r\n", "Childs=N9,\r\n", "CHILDS=N9,\r\nchilds=\r\n"};
  for (int round = 0; round < 10; ++round) {
    // Sections that list their children, or no list, an empty one or one in
    // another case, with the keys in any order around it.
    std::string file;
    for (int s = 0; s < 30; ++s) {
      file += "[N" + std::to_string(s) + "]\r\n";
      if (random() % 2) file += "K=" + std::to_string(s) + "\r\n";
      std::string childs;
      for (int c = 2 * s + 1; c <= 2 * s + 2 && c < 30; ++c) childs += "N" + std::to_string(c) + ",";
      file += !childs.empty() && random() % 4 ? "CHILDS=" + childs + "\r\n" : lists[random() % 5];
      file += "L=" + std::to_string(random() % 10) + "\r\n";
    }
    PANodeObject root;
    ASSERT_NO_FATAL_FAILURE(LoadBesidePlainCopy(file, &root));
    const std::string plain = dir.winPath("plain.ini");
    root.Walk(ReadChildsPlainly, const_cast<char*>(plain.c_str()));

    PAIniFile* loaded = PAGetProfileCache()->FindFile(dir.winPath("tree.ini").c_str());
    PAIniFile* expected = PAGetProfileCache()->FindFile(plain.c_str());
    ASSERT_NE(nullptr, loaded);
    ASSERT_NE(nullptr, expected);
    ASSERT_EQ(expected->GetSectionCount(), loaded->GetSectionCount());
    for (int s = 0; s < expected->GetSectionCount(); ++s) {
      PAIniSection* want = expected->GetSection(s);
      PAIniSection* got = loaded->GetSection(s);
      EXPECT_STREQ(want->GetName(), got->GetName());
      EXPECT_EQ(want->IsModified(), got->IsModified()) << want->GetName();
      ASSERT_EQ(want->GetEntryCount(), got->GetEntryCount()) << want->GetName();
      for (int e = 0; e < want->GetEntryCount(); ++e) {
        EXPECT_STREQ(want->GetEntry(e)->GetKey(), got->GetEntry(e)->GetKey());
        EXPECT_STREQ(want->GetEntry(e)->GetValue(), got->GetEntry(e)->GetValue());
      }
    }
    PAGetProfileCache()->RemoveAllFiles();
  }
}

TEST_F(NodeLoadTest, ItemsOfLoadedNodesKeepAnAddressOfTheirOwn) {
  WriteBytes(dir.file("t.ini"), "[ROOT]\r\nCHILDS=A,B,\r\nK=r\r\n[A]\r\nK=a\r\nL=a2\r\n[B]\r\nK=b\r\n");
  PANodeObject root;
  root.SetFile("t.ini");
  root.SetName("ROOT");
  ASSERT_EQ(1, root.Load());
  PANodeObject* a = root.GetChild(0);
  PANodeObject* b = root.GetChild(1);
  ASSERT_EQ(2, a->GetItemCount());
  // Readdressing one item leaves the others (in this node and the next)
  // where they were.
  PAConfigInt* moved = a->GetItem(0);
  EXPECT_EQ(1, moved->Init("other.ini", "MOVED", "KEY", NULL));
  EXPECT_STREQ("t.ini", a->GetItem(1)->GetFile());
  EXPECT_STREQ("A", a->GetItem(1)->GetSection());
  EXPECT_STREQ("K", b->GetItem(0)->GetKey());
  EXPECT_STREQ("t.ini", b->GetItem(0)->GetFile());
  // An item given its own texts back keeps them.
  EXPECT_EQ(1, b->GetItem(0)->SetFile(b->GetItem(0)->GetFile()));
  EXPECT_EQ(1, b->GetItem(0)->Init(nullptr, b->GetItem(0)->GetSection(), b->GetItem(0)->GetKey(), nullptr));
  EXPECT_STREQ("t.ini", b->GetItem(0)->GetFile());
  EXPECT_STREQ("B", b->GetItem(0)->GetSection());
  EXPECT_STREQ("K", b->GetItem(0)->GetKey());
  moved->SetValue("moved");
  EXPECT_EQ(1, root.Save());
  char value[32];
  PAGetPrivateProfileString("MOVED", "KEY", "", value, sizeof value, "other.ini");
  EXPECT_STREQ("moved", value);
  PAGetPrivateProfileString("B", "K", "", value, sizeof value, "t.ini");
  EXPECT_STREQ("b", value);
  // Cleared, the tree frees every text it shared (the sanitizer run finds
  // any left over).
  root.Clear();
  EXPECT_EQ(0, root.GetChildCount());
}

}  // namespace
