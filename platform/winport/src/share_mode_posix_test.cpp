// Share modes across POSIX processes: the layer's record locks make one
// process's denials hold against another's opens.
#include <share.h>
#include <sys/wait.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "testsupport/files.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

class ShareModeAcrossProcessesTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override { WriteBytes(dir.file("data.txt"), "keep me\r\n"); }
};

// A child process holds the file open with deny-write until told to stop.
class ChildHolder {
 public:
  explicit ChildHolder(int shflag, const char* mode = "r") {
    int ready[2];
    if (pipe(ready) != 0 || pipe(release_) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(ready[0]);
      close(release_[1]);
      FILE* f = _fsopen("data.txt", mode, shflag);
      char status = f ? 'y' : 'n';
      if (write(ready[1], &status, 1) != 1) _exit(2);
      char ignored;
      if (read(release_[0], &ignored, 1) < 0) _exit(3);
      _exit(f ? 0 : 1);
    }
    close(ready[1]);
    close(release_[0]);
    char status = 'n';
    holding_ = read(ready[0], &status, 1) == 1 && status == 'y';
    close(ready[0]);
  }
  ~ChildHolder() { Release(); }
  bool holding() const { return holding_; }
  void Release() {
    if (pid_ <= 0) return;
    close(release_[1]);
    int status;
    waitpid(pid_, &status, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int release_[2] = {-1, -1};
  bool holding_ = false;
};

TEST_F(ShareModeAcrossProcessesTest, DenyWriteHoldsAcrossProcesses) {
  ChildHolder child(_SH_DENYWR);
  ASSERT_TRUE(child.holding());
  EXPECT_EQ(nullptr, fopen("data.txt", "w"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
  EXPECT_EQ("keep me\r\n", ReadBytes(dir.file("data.txt")));
  FILE* reader = fopen("data.txt", "r");
  EXPECT_NE(nullptr, reader);
  if (reader) fclose(reader);
  child.Release();
  FILE* writer = fopen("data.txt", "w");
  EXPECT_NE(nullptr, writer);
  if (writer) fclose(writer);
}

TEST_F(ShareModeAcrossProcessesTest, ChildIsRefusedWhileTheParentHoldsExclusively) {
  FILE* holder = _fsopen("data.txt", "r+", _SH_DENYRW);
  ASSERT_NE(nullptr, holder);
  ChildHolder child(_SH_DENYNO);
  EXPECT_FALSE(child.holding());
  fclose(holder);
}

}  // namespace
