// PAGetWindowsDirectory: the Windows directory in the library's canonical form.
#include <ctype.h>

#include <string>

#include <tekora/tekora.h>
#include <testsupport/temp_dir.h>

namespace {

class WindowsDirectoryTest : public testsupport::IsolatedTest {};

TEST_F(WindowsDirectoryTest, LowerCaseWithTrailingBackslash) {
  char system[MAX_PATH];
  ASSERT_NE(0u, GetWindowsDirectoryA(system, MAX_PATH));
  std::string expected = system;
  for (char& c : expected) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  CString directory = "unchanged";
  EXPECT_EQ(1, PAGetWindowsDirectory(directory));
  EXPECT_EQ(expected + "\\", std::string(directory));
}

}  // namespace
