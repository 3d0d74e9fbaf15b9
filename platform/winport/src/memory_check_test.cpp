// IsBadWritePtr / IsBadReadPtr on pages with different protections.
#include <string.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

class MemoryCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    page_ = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    // Three pages: writable, read-only, inaccessible.
    void* p = mmap(nullptr, 3 * page_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(MAP_FAILED, p);
    base_ = static_cast<char*>(p);
    memset(base_, 'w', page_);
    memset(base_ + page_, 'r', page_);
    ASSERT_EQ(0, mprotect(base_ + page_, page_, PROT_READ));
    ASSERT_EQ(0, mprotect(base_ + 2 * page_, page_, PROT_NONE));
  }
  void TearDown() override { munmap(base_, 3 * page_); }

  size_t page_ = 0;
  char* base_ = nullptr;
};

TEST_F(MemoryCheck, WritableMemoryIsGoodAndUnchanged) {
  EXPECT_FALSE(IsBadWritePtr(base_, page_));
  EXPECT_EQ(std::string(page_, 'w'), std::string(base_, page_));
  std::vector<char> big(1 << 20);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  std::vector<char> copy = big;
  EXPECT_FALSE(IsBadWritePtr(big.data(), big.size()));
  EXPECT_EQ(copy, big);
}

TEST_F(MemoryCheck, ReadOnlyPageIsBadForWritingOnly) {
  EXPECT_TRUE(IsBadWritePtr(base_ + page_, 20));
  EXPECT_FALSE(IsBadReadPtr(base_ + page_, 20));
  EXPECT_EQ(std::string(page_, 'r'), std::string(base_ + page_, page_));
}

TEST_F(MemoryCheck, RangeRunningIntoAReadOnlyPageIsBad) {
  EXPECT_TRUE(IsBadWritePtr(base_ + page_ - 10, 20));
  EXPECT_FALSE(IsBadWritePtr(base_ + page_ - 10, 10));
  EXPECT_EQ(std::string(page_, 'w'), std::string(base_, page_));
}

TEST_F(MemoryCheck, InaccessiblePageIsBadForBoth) {
  EXPECT_TRUE(IsBadWritePtr(base_ + 2 * page_, 1));
  EXPECT_TRUE(IsBadReadPtr(base_ + 2 * page_, 1));
  EXPECT_TRUE(IsBadReadPtr(base_ + page_, page_ + 1));
}

TEST(MemoryCheckEdges, NullAndEmptyRanges) {
  EXPECT_TRUE(IsBadWritePtr(nullptr, 1));
  EXPECT_FALSE(IsBadWritePtr(nullptr, 0));
  EXPECT_TRUE(IsBadReadPtr(nullptr, 4));
}

TEST(MemoryCheckEdges, CallersStackBuffersAreGoodAndUnchanged) {
  char local[2600];
  for (size_t i = 0; i < sizeof local; ++i) local[i] = static_cast<char>(i);
  EXPECT_FALSE(IsBadWritePtr(local, sizeof local));
  EXPECT_FALSE(IsBadWritePtr(local + 100, 1));
  for (size_t i = 0; i < sizeof local; ++i) ASSERT_EQ(static_cast<char>(i), local[i]);
  // The same on a thread of its own, whose stack is not the main one.
  BOOL onThread = TRUE;
  std::thread([&onThread] {
    char buffer[512] = {};
    onThread = IsBadWritePtr(buffer, sizeof buffer);
  }).join();
  EXPECT_FALSE(onThread);
}

// Every check runs through one pipe per thread: what a failed check leaves
// in it must never reach the next caller's buffer.
TEST_F(MemoryCheck, FailedChecksLeaveNothingForTheNext) {
  std::vector<char> heap(3000);
  for (size_t i = 0; i < heap.size(); ++i) heap[i] = static_cast<char>('a' + i % 26);
  const std::vector<char> copy = heap;
  for (int round = 0; round < 3; ++round) {
    EXPECT_TRUE(IsBadWritePtr(base_ + page_ - 10, 20));  // stops inside the range
    EXPECT_FALSE(IsBadWritePtr(heap.data(), heap.size()));
    EXPECT_EQ(copy, heap);
    EXPECT_TRUE(IsBadReadPtr(base_ + page_, page_ + 1));
    EXPECT_FALSE(IsBadWritePtr(heap.data(), heap.size()));
    EXPECT_EQ(copy, heap);
  }
  EXPECT_EQ(std::string(page_, 'w'), std::string(base_, page_));
}

// A forked child checks through a pipe of its own, not the parent's copy.
TEST(MemoryCheckEdges, ForkedChildAndParentKeepTheirOwnBytes) {
  std::vector<char> heap(4096, 'p');
  ASSERT_FALSE(IsBadWritePtr(heap.data(), heap.size()));  // the parent's pipe is open
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::vector<char> own(4096, 'c');
    for (int i = 0; i < 50000; ++i)
      if (IsBadWritePtr(own.data(), own.size()) || own != std::vector<char>(4096, 'c')) _exit(1);
    _exit(0);
  }
  bool kept = true;
  for (int i = 0; i < 50000 && kept; ++i)
    kept = !IsBadWritePtr(heap.data(), heap.size()) && heap == std::vector<char>(4096, 'p');
  int status = 0;
  ASSERT_EQ(child, waitpid(child, &status, 0));
  EXPECT_TRUE(kept);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
