// PAGetFileName and PAGetFileDir.
#include <string>

#include <tekora/tekora.h>
#include <gtest/gtest.h>
#include <testsupport/platform.h>

namespace {

std::string Name(LPCSTR path) {
  CString out = "before";
  EXPECT_EQ(1, PAGetFileName(out, path));
  return std::string(out);
}

std::string Dir(LPCSTR path) {
  CString out = "before";
  EXPECT_EQ(1, PAGetFileDir(out, path));
  return std::string(out);
}

TEST(FileNamePartsTest, NameAndFolderOfAPath) {
  EXPECT_EQ("main.cpp", Name("C:\\src\\app\\main.cpp"));
  EXPECT_EQ("main.cpp", Name("main.cpp"));
  EXPECT_EQ("", Dir("main.cpp"));
  EXPECT_EQ("x.tar.gz", Name("a/b/x.tar.gz"));
  EXPECT_EQ("a/b/", Dir("a/b/x.tar.gz"));
  EXPECT_EQ("", Name("\\src\\"));
  EXPECT_EQ("\\src\\", Dir("\\src\\"));
  EXPECT_EQ("", Name(NULL));
  EXPECT_EQ("", Dir(NULL));
  // The drive is kept where drives mean something.
  EXPECT_EQ(testsupport::OnWindows() ? "C:\\src\\app\\" : "\\src\\app\\", Dir("C:\\src\\app\\main.cpp"));
}

TEST(FileNamePartsTest, OnlyTheFirst260CharactersCount) {
  const std::string folder = "\\" + std::string(250, 'd') + "\\";
  const std::string path = folder + "file.name.that.is.cut";
  EXPECT_EQ("file.nam", Name(path.c_str()));
  EXPECT_EQ(folder, Dir(path.c_str()));
}

}  // namespace
