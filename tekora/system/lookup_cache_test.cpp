// The lookup caches in "age.ini": a find is cached as its place relative to
// the project directory, found again through the cache without a search
// (the file search reports each search on standard output), and dropped and
// searched afresh once stale.
#include <direct.h>
#include <gtest/gtest.h>

#include <string>

#include <tekora/tekora.h>
#include <testsupport/environment.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

class LookupCacheTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    testsupport::MakeDirs(dir.file("home/lib/mid/proj"));
    home_.reset(new testsupport::ScopedEnv("PHOME", dir.winPath("home")));
  }
  std::string Base() { return dir.winPath("home\\lib\\mid\\proj"); }
  std::string Cache() {
    return testsupport::Exists(dir.file("home/lib/mid/proj/age.ini")) ? ReadBytes(dir.file("home/lib/mid/proj/age.ini"))
                                                                       : "";
  }
  // Resolves the include and reports whether a search ran.
  int Include(CString& name, bool* searched) {
    testing::internal::CaptureStdout();
    int result = PAResolveInclude(Base().c_str(), name, 0);
    *searched = testing::internal::GetCapturedStdout().find("Searching file") != std::string::npos;
    return result;
  }
  std::unique_ptr<testsupport::ScopedEnv> home_;
};

TEST_F(LookupCacheTest, AnIncludeTwoLevelsUpIsCachedAndFoundAgainWithoutASearch) {
  WriteBytes(dir.file("home/lib/common.h"), "x");
  CString name("Common.h");
  bool searched = false;
  EXPECT_EQ(1, Include(name, &searched));
  EXPECT_TRUE(searched);
  EXPECT_EQ("..\\..\\common.h", std::string(name));
  EXPECT_NE(std::string::npos, Cache().find("[Cache]"));
  EXPECT_NE(std::string::npos, Cache().find("common.h=..\\..\\"));

  name = "sub\\COMMON.H";
  EXPECT_EQ(1, Include(name, &searched));
  EXPECT_FALSE(searched);
  EXPECT_EQ("..\\..\\common.h", std::string(name));

  // Stale: the header moved into the project; the key is searched afresh.
  remove(dir.file("home/lib/common.h").c_str());
  WriteBytes(dir.file("home/lib/mid/proj/inc/common.h"), "x");
  name = "common.h";
  EXPECT_EQ(1, Include(name, &searched));
  EXPECT_TRUE(searched);
  EXPECT_EQ(".\\inc\\common.h", std::string(name));
  EXPECT_NE(std::string::npos, Cache().find("common.h=.\\inc\\"));
  EXPECT_EQ(std::string::npos, Cache().find("..\\..\\"));
}

TEST_F(LookupCacheTest, ClassLibraryHeadersAreNeverSearchedOrCached) {
  WriteBytes(dir.file("home/lib/afxwin.h"), "x");
  for (const char* header : {"afxwin.h", "AFX.H", "afxtempl.h"}) {
    CString name(header);
    bool searched = true;
    EXPECT_EQ(0, Include(name, &searched)) << header;
    EXPECT_FALSE(searched) << header;
  }
  EXPECT_EQ("", Cache());
}

TEST_F(LookupCacheTest, AnIncludeThatNoSearchFinds) {
  CString name("nowhere.h");
  bool searched = false;
  EXPECT_EQ(0, Include(name, &searched));
  EXPECT_EQ(std::string::npos, Cache().find("nowhere.h"));
}

TEST_F(LookupCacheTest, ADirectoryIsCachedAndDroppedWhenDeleted) {
  testsupport::MakeDirs(dir.file("home/lib/tools"));
  CString name("Tools/");
  EXPECT_EQ(1, PAResolveDirectory(Base().c_str(), name));
  EXPECT_EQ("..\\..\\tools\\", std::string(name));
  EXPECT_NE(std::string::npos, Cache().find("tools=..\\..\\tools\\"));
  name = "tools";
  EXPECT_EQ(1, PAResolveDirectory(Base().c_str(), name));
  EXPECT_EQ("..\\..\\tools\\", std::string(name));

  _rmdir(dir.file("home/lib/tools").c_str());
  testsupport::MakeDirs(dir.file("home/lib/mid/proj/tools"));
  name = "tools";
  EXPECT_EQ(1, PAResolveDirectory(Base().c_str(), name));
  EXPECT_EQ(".\\tools\\", std::string(name));
  EXPECT_NE(std::string::npos, Cache().find("tools=.\\tools\\"));
  _rmdir(dir.file("home/lib/mid/proj/tools").c_str());
  name = "tools";
  EXPECT_EQ(0, PAResolveDirectory(Base().c_str(), name));
  EXPECT_EQ(std::string::npos, Cache().find("tools="));
}

}  // namespace

namespace {

// An include that the tree search misses but that exists where the caller
// named it is taken off the search's not-found list: a later search for the
// name looks at the disk again and finds the header once it is in the tree.
TEST_F(LookupCacheTest, AnIncludeFoundWhereNamedIsNoLongerKnownMissing) {
  WriteBytes(dir.file("elsewhere/outside.h"), "x");
  CString name(dir.winPath("elsewhere\\outside.h").c_str());
  bool searched = false;
  EXPECT_EQ(1, Include(name, &searched));
  EXPECT_TRUE(searched);

  WriteBytes(dir.file("home/lib/outside.h"), "x");
  CString found("outside.h");
  testing::internal::CaptureStdout();
  EXPECT_TRUE(PAFindFileInTree(Base().c_str(), found));
  EXPECT_NE(std::string::npos, testing::internal::GetCapturedStdout().find("Searching file"));
  EXPECT_EQ("..\\..\\outside.h", std::string(found));
}

}  // namespace
