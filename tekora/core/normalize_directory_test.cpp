// PANormalizeDirectoryNoSlash and PAToForwardSlashes: the other canonical
// forms of a path (PANormalizeDirectory itself is tested with PACheckPath).
#include <tekora/tekora.h>
#include <gtest/gtest.h>

namespace {

TEST(NormalizeDirectoryNoSlashTest, DropsExactlyOneTrailingBackslash) {
  CString path = " C:\\Work\\ ";
  EXPECT_EQ(1, PANormalizeDirectoryNoSlash(path));
  EXPECT_STREQ("c:\\work", path);

  CString root = "c:\\";
  EXPECT_EQ(1, PANormalizeDirectoryNoSlash(root));
  EXPECT_STREQ("c:", root);

  CString slashes = "A/B//";
  EXPECT_EQ(1, PANormalizeDirectoryNoSlash(slashes));
  EXPECT_STREQ("a\\b\\", slashes);

  CString plain = "Src";
  EXPECT_EQ(1, PANormalizeDirectoryNoSlash(plain));
  EXPECT_STREQ("src", plain);
}

TEST(NormalizeDirectoryNoSlashTest, BlankAndHighBytes) {
  CString blank = " \t ";
  EXPECT_EQ(0, PANormalizeDirectoryNoSlash(blank));
  EXPECT_STREQ("", blank);

  CString umlaut = "C:\\\xC4RGER\\";
  EXPECT_EQ(1, PANormalizeDirectoryNoSlash(umlaut));
  EXPECT_STREQ("c:\\\xC4rger", umlaut);  // only ASCII letters change case
}

TEST(ToForwardSlashesTest, PairsBecomeOneSlash) {
  CString unc = "\\\\server\\share\\dir";
  EXPECT_EQ(1, PAToForwardSlashes(unc));
  EXPECT_STREQ("/server/share/dir", unc);

  CString local = "c:\\a\\b";
  EXPECT_EQ(1, PAToForwardSlashes(local));
  EXPECT_STREQ("c:/a/b", local);

  CString triple = "a\\\\\\b";  // a pair, then a single one
  EXPECT_EQ(1, PAToForwardSlashes(triple));
  EXPECT_STREQ("a//b", triple);
}

TEST(ToForwardSlashesTest, NothingToReplaceLeavesThePath) {
  CString plain = "abc";
  EXPECT_EQ(0, PAToForwardSlashes(plain));
  EXPECT_STREQ("abc", plain);
  CString forward = "a/b";
  EXPECT_EQ(0, PAToForwardSlashes(forward));
  CString empty;
  EXPECT_EQ(0, PAToForwardSlashes(empty));
  EXPECT_STREQ("", empty);
}

}  // namespace
