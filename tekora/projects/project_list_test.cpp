// PAWinProjectList on a projects home built in a temporary folder: the walk,
// the one-day cache, build tags, priorities and the queries.
#include <windows.h>

#include <string.h>

#include <set>
#include <string>
#include <vector>

#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/platform.h>

#include "../config/component_file_test_support.h"
#include "project_home_test.h"

namespace {

using tekora_test::Keys;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class ProjectListTest : public tekora_test::ProjectHomeTest {
 protected:
  // The prefixes of the listed projects, in list order.
  static std::string Prefixes(const PAWinProjectList& list) {
    std::string prefixes;
    for (int i = 0; i < list.GetCount(); ++i) {
      const PAConfigInt* item = list.GetAt(i)->FindItem("PREFIX", 1);
      prefixes += (prefixes.empty() ? "" : ",") + std::string(item ? item->GetValue() : "?");
    }
    return prefixes;
  }

  std::string Cache() const { return ReadBytes(HomeFile("utils/data.ini")); }

  // Dates the cache back to the day before yesterday.
  void AgeCache() const { testsupport::AgeFile(HomeFile("utils/data.ini"), 48); }

  // A list initialised for the tag and refreshed.
  std::string Refreshed(const char* tag) {
    PAWinProjectList list;
    EXPECT_EQ(1, list.Init(tag, "project.ini"));
    EXPECT_EQ(1, list.Refresh());
    return Prefixes(list);
  }
};

TEST_F(ProjectListTest, TheWalkSkipsVersionControlFoldersAndCachesWhatItFound) {
  WriteProject("a", Keys("1", "PA"));
  WriteProject("a/sub", Keys("2", "PS"));
  WriteProject("b", Keys("3", "PB"));
  WriteProject("CVS", Keys("4", "C1"));
  WriteProject("b/Attic", Keys("4", "C2"));
  WriteProject("b/cvs/deeper", Keys("4", "C3"));
  WriteProject("b/ATTIC", Keys("4", "C4"));

  PAWinProjectList list;
  ASSERT_EQ(1, list.Init("", "project.ini"));
  ASSERT_EQ(1, list.Refresh());
  EXPECT_EQ("PA,PS,PB", Prefixes(list));
  // One line per project in walk order, a directory's own project first.
  EXPECT_EQ("..\\a\\project.ini\r\n..\\a\\sub\\project.ini\r\n..\\b\\project.ini\r\n", Cache());
}

TEST_F(ProjectListTest, ACacheOfTodayIsReadInsteadOfWalking) {
  WriteProject("a", Keys("1", "PA"));
  WriteProject("b", Keys("2", "PB"));
  EXPECT_EQ("PA,PB", Refreshed(""));
  const std::string cache = Cache();

  // A project added since is not seen while the cache is of today.
  WriteProject("c", Keys("3", "PC"));
  EXPECT_EQ("PA,PB", Refreshed(""));
  EXPECT_EQ(cache, Cache());

  // An old cache is replaced by a walk.
  AgeCache();
  EXPECT_EQ("PA,PB,PC", Refreshed(""));
  EXPECT_EQ("..\\a\\project.ini\r\n..\\b\\project.ini\r\n..\\c\\project.ini\r\n", Cache());

  // A line that names a missing project is skipped; one named twice counts once.
  WriteBytes(HomeFile("utils/data.ini"),
             "..\\gone\\project.ini\r\n..\\b\\project.ini\r\n..\\B\\..\\b\\project.ini\r\n");
  EXPECT_EQ("PB", Refreshed(""));
}

TEST_F(ProjectListTest, AUselessCacheIsReplacedByAWalk) {
  WriteProject("a", Keys("1", "PA"));
  const std::string fresh = "..\\a\\project.ini\r\n";
  const std::vector<std::string> useless = {
      "",                                           // empty
      "..\\gone\\project.ini\r\n",                  // names a missing file
      std::string("\x00\xff\x1a\r\x01\x02", 6),     // binary
      std::string(1 << 20, 'x') + "\r\n",           // a line of a megabyte
      "..\\a\r\n",                                   // names a folder
  };
  for (const std::string& content : useless) {
    WriteBytes(HomeFile("utils/data.ini"), content);
    EXPECT_EQ("PA", Refreshed(""));
    EXPECT_EQ(fresh, Cache());
  }
}

TEST_F(ProjectListTest, EveryWalkCachesEachProjectOnce) {
  WriteProject("a", Keys("1", "PA"));
  WriteProject("a/b", Keys("2", "PB"));
  PAWinProjectList list;
  ASSERT_EQ(1, list.Init("", "project.ini"));
  for (int walk = 0; walk < 2; ++walk) {
    if (testsupport::Exists(HomeFile("utils/data.ini"))) AgeCache();
    ASSERT_EQ(1, list.Refresh());
    EXPECT_EQ("PA,PB", Prefixes(list));
    EXPECT_EQ("..\\a\\project.ini\r\n..\\a\\b\\project.ini\r\n", Cache());
  }
}

TEST_F(ProjectListTest, LinksToFoldersAreNotWalked) {
  WriteProject("a", Keys("1", "PA"));
  WriteProject("../elsewhere", Keys("2", "PE"));
  if (!testsupport::MakeDirectoryLink(dir.file("home"), HomeFile("a/up")) ||
      !testsupport::MakeDirectoryLink(dir.file("home"), HomeFile("a/again")) ||
      !testsupport::MakeDirectoryLink(dir.file("elsewhere"), HomeFile("out")))
    GTEST_SKIP() << "no symbolic links here";
  EXPECT_EQ("PA", Refreshed(""));
  EXPECT_EQ("..\\a\\project.ini\r\n", Cache());
}

TEST_F(ProjectListTest, ACacheThatCannotBeWrittenLeavesTheWalksResult) {
  WriteProject("a", Keys("1", "PA"));
  WriteBytes(HomeFile("utils/data.ini"), "old\r\n");
  ASSERT_TRUE(SetFileAttributesA(HomeFile("utils/data.ini").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ("PA", Refreshed(""));
  SetFileAttributesA(HomeFile("utils/data.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ("old\r\n", Cache());

  // Without the utils folder there is no cache at all.
  testsupport::RemoveAll(HomeFile("utils"));
  EXPECT_EQ("PA", Refreshed(""));
  EXPECT_FALSE(testsupport::Exists(HomeFile("utils/data.ini")));
}

TEST_F(ProjectListTest, BuildTagsSelectTheProjects) {
  WriteProject("ab", Keys("1", "AB", "A,B"));
  WriteProject("none", Keys("2", "NO"));
  WriteProject("c", Keys("3", "CC", "C"));
  WriteProject("empty", Keys("4", "EM", ""));
  EXPECT_EQ("AB,NO,EM", Refreshed("A"));
  EXPECT_EQ("AB,NO,EM", Refreshed("a"));
  EXPECT_EQ("AB,NO,EM", Refreshed("B"));
  EXPECT_EQ("NO,EM", Refreshed("AB"));
  EXPECT_EQ("AB,NO,CC,EM", Refreshed(""));

  PAUtilsConfig project;
  EXPECT_EQ(0, PAWinProjectList::MatchesBuildTag(NULL, &project));
  EXPECT_EQ(0, PAWinProjectList::MatchesBuildTag("A", NULL));
  EXPECT_EQ(1, PAWinProjectList::MatchesBuildTag("A", &project));
}

TEST_F(ProjectListTest, ProjectsFilteredOutStillGoIntoTheCache) {
  WriteProject("a", Keys("1", "PA", "X"));
  WriteProject("b", Keys("2", "PB", "Y"));
  EXPECT_EQ("PA", Refreshed("x"));
  EXPECT_EQ("..\\a\\project.ini\r\n..\\b\\project.ini\r\n", Cache());
  // The cache serves another tag the same day.
  EXPECT_EQ("PB", Refreshed("y"));
}

TEST_F(ProjectListTest, PrioritiesOrderTheList) {
  WriteProject("a", Keys("3", "P3"));
  WriteProject("b", Keys("1", "P1"));
  WriteProject("c", Keys("2", "P2"));
  EXPECT_EQ("P1,P2,P3", Refreshed(""));

  WriteProject("d", Keys("YES", "PY"));
  WriteProject("e", Keys("0", "P0"));
  AgeCache();
  const std::string order = Refreshed("");
  EXPECT_TRUE(order == "P0,P1,PY,P2,P3" || order == "P0,PY,P1,P2,P3") << order;
}

TEST_F(ProjectListTest, RenumberedPrioritiesAreSavedBySaveAll) {
  WriteProject("a", Keys("7", "PA"));
  WriteProject("b", Keys("8", "PB"));
  WriteProject("c", Keys("9", "PC"));
  PAWinProjectList list;
  ASSERT_EQ(1, list.Init("", "project.ini"));
  ASSERT_EQ(1, list.Refresh());
  EXPECT_EQ(1, list.RenumberPriorities(10, 10));
  std::vector<std::string> priorities;
  for (int i = 0; i < list.GetCount(); ++i) priorities.push_back(list.GetAt(i)->FindItem("PRIORITY", 1)->GetValue());
  EXPECT_EQ((std::vector<std::string>{"10", "20", "30"}), priorities);

  EXPECT_EQ(1, list.SaveAll());
  PASaveProfiles();
  EXPECT_NE(std::string::npos, ReadBytes(HomeFile("c/project.ini")).find("PRIORITY=30\r\n"));
}

TEST_F(ProjectListTest, ValuesAndPrefixesAreFoundInListOrder) {
  WriteProject("a", Keys("1", "Ab", "X,Y"));
  WriteProject("b", Keys("2", "CD", "X,Y"));
  WriteProject("c", Keys("3", "EF", "Z"));
  PAWinProjectList list;
  ASSERT_EQ(1, list.Init("", "project.ini"));
  ASSERT_EQ(1, list.Refresh());

  CStringArray values;
  EXPECT_EQ(1, list.CollectValues("BUILD_TAG", values));
  ASSERT_EQ(3, values.GetSize());
  EXPECT_STREQ("X,Y", values[1]);
  EXPECT_EQ(1, list.CollectDistinctValues("build_tag", values));
  ASSERT_EQ(2, values.GetSize());
  EXPECT_STREQ("X,Y", values[0]);
  EXPECT_STREQ("Z", values[1]);
  EXPECT_EQ(0, list.CollectValues("NO_SUCH_KEY", values));
  EXPECT_EQ(0, values.GetSize());

  EXPECT_EQ(list.GetAt(0), list.FindByPrefix("AB"));
  EXPECT_EQ(2, list.IndexOfPrefix("ef"));
  EXPECT_EQ(-1, list.IndexOfPrefix("GH"));
  EXPECT_EQ(-1, list.IndexOfPrefix(NULL));
  EXPECT_EQ(NULL, list.FindByPrefix(NULL));

  // A project taken out belongs to the caller.
  PAUtilsConfig* taken = list.GetAt(1);
  EXPECT_EQ(1, list.RemoveAt(1));
  EXPECT_EQ(0, list.RemoveAt(2));
  EXPECT_EQ(2, list.GetCount());
  delete taken;
}

// Appends "section.key=value" for every item of the node and its subtree.
int DumpItems(PANodeObject* node, void* user) {
  std::string* dump = static_cast<std::string*>(user);
  for (int i = 0; i < node->GetItemCount(); ++i) {
    const PAConfigInt* item = node->GetItem(i);
    *dump += std::string(node->GetName()) + "." + item->GetKey() + "=" + item->GetValue() + "\n";
  }
  *dump += std::string(node->GetName()) + " children " + std::to_string(node->GetChildCount()) + "\n";
  return 1;
}

// The list loads each project with one check of its file; every tree must
// be the one the project file test and a plain Load give.
TEST_F(ProjectListTest, ListedProjectsAreTheTreesAPlainLoadGives) {
  unsigned seed = 99;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
  for (int p = 0; p < 12; ++p) {
    tekora_test::ProjectKeys keys = Keys(std::to_string(next() % 50), "P" + std::to_string(p));
    for (unsigned n = next() % 3; n > 0; --n) keys.includePaths.push_back("inc" + std::to_string(next() % 9));
    WriteProject("g" + std::to_string(p % 3) + "/p" + std::to_string(p), keys);
  }
  // Not project files: another GUID, and a file too short for any.
  WriteBytes(HomeFile("g0/project.ini"), "[MAIN]\r\nGUID={00000000-0000-0000-0000-000000000000}\r\n[X]\r\nY=1\r\n");
  WriteBytes(HomeFile("g1/project.ini"), "[MAIN]\r\nGUID=x\r\n");

  PAWinProjectList list;
  ASSERT_EQ(1, list.Init("", "project.ini"));
  ASSERT_EQ(1, list.Refresh());
  ASSERT_EQ(12, list.GetCount());
  for (int i = 0; i < list.GetCount(); ++i) {
    PAUtilsConfig* listed = list.GetAt(i);
    SCOPED_TRACE(listed->GetFile());
    PAUtilsConfig plain(listed->GetFile());
    ASSERT_EQ(1, PAWinProject::IsProjectFile(listed->GetFile()));
    ASSERT_EQ(1, plain.Load());
    std::string listedItems, plainItems;
    listed->Walk(DumpItems, &listedItems);
    plain.Walk(DumpItems, &plainItems);
    EXPECT_EQ(plainItems, listedItems);
  }
}

// The projects of one refresh take the system include folders from one
// read of the component file; the next refresh, and every tree set up
// outside a refresh, read the file as it is then.
TEST_F(ProjectListTest, EachRefreshTakesTheIncludeFoldersTheFileHoldsThen) {
  testsupport::MakeDirs(dir.file("incA"));
  testsupport::MakeDirs(dir.file("incB"));
  auto lowered = [](std::string path) {
    for (char& c : path) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return path + "\\";
  };
  auto firstSystemDir = [](const PAUtilsConfig& config) {
    CStringArray dirs;
    return config.GetSystemDirs(dirs) && dirs.GetSize() > 0 ? std::string(dirs[0]) : std::string("?");
  };
  ComponentFile components;
  components.WriteIncludeDirs(dir.winPath("incA"));
  WriteProject("a", Keys("1", "PA"));
  WriteProject("b", Keys("2", "PB"));

  PAWinProjectList list;
  ASSERT_EQ(1, list.Init("", "project.ini"));
  ASSERT_EQ(1, list.Refresh());
  ASSERT_EQ(2, list.GetCount());
  for (int i = 0; i < list.GetCount(); ++i) EXPECT_EQ(lowered(dir.winPath("incA")), firstSystemDir(*list.GetAt(i)));

  components.WriteIncludeDirs(dir.winPath("incB"));
  ASSERT_EQ(1, list.Refresh());
  ASSERT_EQ(2, list.GetCount());
  for (int i = 0; i < list.GetCount(); ++i) EXPECT_EQ(lowered(dir.winPath("incB")), firstSystemDir(*list.GetAt(i)));

  components.WriteIncludeDirs(dir.winPath("incA"));
  EXPECT_EQ(lowered(dir.winPath("incA")), firstSystemDir(PAUtilsConfig("new.ini")));
  components.WriteIncludeDirs(dir.winPath("incB"));
  EXPECT_EQ(lowered(dir.winPath("incB")), firstSystemDir(PAUtilsConfig("new.ini")));
}

TEST_F(ProjectListTest, InitNeedsAHomeDirectoryThatCanBeEntered) {
  PAWinProjectList list;
  EXPECT_EQ(0, list.GetCount());
  EXPECT_EQ(NULL, list.GetAt(0));
  EXPECT_EQ(0, list.Refresh());
  EXPECT_EQ(0, list.RemoveAt(0));

  const std::string before = Cwd();
  home_.reset();
  testsupport::UnsetEnv("PHOME");
  EXPECT_EQ(0, list.Init("", "project.ini"));
  testsupport::ScopedEnv aFile("PHOME", dir.winPath("home\\utils\\x.txt"));
  WriteBytes(HomeFile("utils/x.txt"), "");
  EXPECT_EQ(0, list.Init("", "project.ini"));
  EXPECT_EQ(0, list.Refresh());
  EXPECT_EQ(before, Cwd());

  // A relative PHOME is taken from the working directory; the list then
  // works in the home directory.
  testsupport::ScopedEnv relative("PHOME", "Home");
  EXPECT_EQ(1, list.Init("", "project.ini"));
  std::string home = dir.winPath("home");
  for (char& c : home) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(home, Cwd());
}

// The walk against the rules it keeps, on generated trees: in each folder the
// entry that a lookup of the project file's name finds (the name as written,
// else the one equal to it without regard to case, the first in byte order)
// when it is a file that loads; then the subfolders in the order the system
// lists them, without CVS and Attic.
class ProjectWalkTest : public ProjectListTest {
 protected:
  unsigned Next() { return seed_ = seed_ * 1103515245u + 12345u, (seed_ >> 16) & 0x7fff; }

  std::string Recased(std::string name) {
    for (char& c : name)
      if (isalpha(static_cast<unsigned char>(c)) && Next() % 2) c = static_cast<char>(c ^ 0x20);
    return name;
  }

  // Folders and project files below home/<folder>; with `collide`, names
  // that differ in case only share a folder.
  void Generate(const std::string& folder, int depth, bool collide) {
    std::set<std::string> taken;  // the names of the folder, folded when they may not collide
    auto take = [&](const std::string& name) {
      std::string key = name;
      if (!collide)
        for (char& c : key) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
      return taken.insert(key).second;
    };
    const int files = Next() % 3 == 0 ? 0 : collide ? 1 + Next() % 2 : 1;
    for (int i = 0; i < files; ++i) {
      const std::string name = Recased("project.ini");
      if (!take(name)) continue;
      const bool loads = Next() % 5 != 0;
      if (loads) {
        WriteProject(folder, Keys(std::to_string(Next() % 9), "P"), name);
        loadable_.insert(folder + "/" + name);
      } else {
        WriteBytes(HomeFile(folder + "/" + name),
                   "[MAIN]\r\nGUID={00000000-0000-0000-0000-000000000000}\r\nCHILDS=PROJECT,\r\n"
                   "[PROJECT]\r\nPRIORITY=1\r\n");
      }
    }
    if (depth == 0) return;
    static const char* const pool[] = {"a", "B", "sub", "CVS", "cvs", "Attic", "ATTIC", "Project.ini", "x 1"};
    for (int i = 1 + Next() % 4; i > 0; --i) {
      const std::string name = pool[Next() % (sizeof pool / sizeof *pool)];
      if (!take(name)) continue;
      testsupport::MakeDirs(HomeFile(folder + "/" + name));
      Generate(folder + "/" + name, depth - 1, collide);
    }
  }

  // The project files the rules give for the folder (Windows form, ending
  // with "\") and below it; `relative` is its POSIX path below home.
  void Expected(const std::string& folder, const std::string& relative, std::vector<std::string>* files) {
    std::vector<WIN32_FIND_DATAA> entries;
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((folder + "*.*").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << folder;
    do entries.push_back(data);
    while (FindNextFileA(h, &data));
    FindClose(h);
    const WIN32_FIND_DATAA* exact = nullptr;
    const WIN32_FIND_DATAA* folded = nullptr;
    for (const WIN32_FIND_DATAA& entry : entries) {
      if (strcmp(entry.cFileName, "project.ini") == 0) exact = &entry;
      if (lstrcmpiA(entry.cFileName, "project.ini") == 0 && (!folded || strcmp(entry.cFileName, folded->cFileName) < 0))
        folded = &entry;
    }
    const WIN32_FIND_DATAA* found = exact ? exact : folded;
    if (found && !(found->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        loadable_.count(relative + "/" + found->cFileName))
      files->push_back(folder + found->cFileName);
    for (const WIN32_FIND_DATAA& entry : entries) {
      const std::string name = entry.cFileName;
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == "." || name == ".." ||
          lstrcmpiA(name.c_str(), "cvs") == 0 || lstrcmpiA(name.c_str(), "attic") == 0)
        continue;
      Expected(folder + name + "\\", relative + "/" + name, files);
    }
  }

  // The files a walk from the home directory records, with the file name given.
  static std::vector<std::string> Walked(const std::string& home, const char* projectFileName) {
    PAWinProjectList list;
    EXPECT_EQ(1, list.Init("", projectFileName));
    EXPECT_EQ(1, list.ScanDirectory(home.c_str()));
    std::vector<std::string> files;
    for (INT_PTR i = 0; i < list.GetProjectFiles().GetSize(); ++i) files.push_back(std::string(list.GetProjectFiles()[i]));
    return files;
  }

  std::string Home() const {
    std::string home = dir.winPath("home") + "\\";
    for (char& c : home) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return home;
  }

  unsigned seed_ = 2024;
  std::set<std::string> loadable_;  // project files that load, POSIX paths below home
};

TEST_F(ProjectWalkTest, EachFolderGivesTheProjectItsLookupFinds) {
  // Folders with names that differ in case only exist on POSIX alone.
  const bool collide = !testsupport::OnWindows();
  for (int tree = 0; tree < 3; ++tree) {
    SCOPED_TRACE(tree);
    const std::string top = "t" + std::to_string(tree);
    Generate(top, 3, collide);
    std::vector<std::string> expected;
    Expected(Home() + top + "\\", top, &expected);
    EXPECT_EQ(expected, Walked(Home() + top + "\\", "project.ini"));
  }
}

// A name with a wildcard is looked up in every folder; where no two names of
// a folder differ in case only, "project.in?" finds what "project.ini" finds.
TEST_F(ProjectWalkTest, ALookupInEveryFolderFindsTheSame) {
  Generate("w", 4, false);
  std::vector<std::string> expected;
  Expected(Home() + "w\\", "w", &expected);
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(expected, Walked(Home() + "w\\", "project.ini"));
  EXPECT_EQ(expected, Walked(Home() + "w\\", "project.in?"));
}

}  // namespace
