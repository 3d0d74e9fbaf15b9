// Text mode of fopen: CR LF on disk, LF in memory; everything else is data.
#include <windows.h>

#include <string>

#include "testsupport/files.h"
#include "testsupport/platform.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

class TextStreamTest : public testsupport::IsolatedTest {
 protected:
  // Reads the whole file through the layer with the given mode.
  std::string ReadAll(const char* mode) {
    FILE* f = fopen("t.txt", mode);
    if (!f) return "<cannot open>";
    std::string result;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) result.append(buffer, n);
    fclose(f);
    return result;
  }
  void WriteAll(const char* mode, const std::string& text) {
    FILE* f = fopen("t.txt", mode);
    ASSERT_NE(nullptr, f);
    ASSERT_EQ(text.size(), fwrite(text.data(), 1, text.size(), f));
    ASSERT_EQ(0, fclose(f));
  }
};

TEST_F(TextStreamTest, WritingTurnsLineFeedsIntoCrLf) {
  WriteAll("w", "one\ntwo\n\nend");
  EXPECT_EQ("one\r\ntwo\r\n\r\nend", ReadBytes(dir.file("t.txt")));
  WriteAll("wt", "x\n");
  EXPECT_EQ("x\r\n", ReadBytes(dir.file("t.txt")));
}

TEST_F(TextStreamTest, ReadingTurnsCrLfIntoLineFeeds) {
  WriteBytes(dir.file("t.txt"), "one\r\ntwo\r\n\r\nend");
  EXPECT_EQ("one\ntwo\n\nend", ReadAll("r"));
  EXPECT_EQ("one\ntwo\n\nend", ReadAll("rt"));
}

TEST_F(TextStreamTest, LoneCarriageReturnsAndLineFeedsAreKept) {
  WriteBytes(dir.file("t.txt"), "a\rb\nc\r\r\nd\r");
  EXPECT_EQ("a\rb\nc\r\nd\r", ReadAll("r"));
  WriteAll("w", "a\rb");
  EXPECT_EQ("a\rb", ReadBytes(dir.file("t.txt")));
}

TEST_F(TextStreamTest, ControlZIsData) {
  WriteBytes(dir.file("t.txt"), std::string("a\x1a" "b\r\n", 5));
  EXPECT_EQ(testsupport::CtrlZEndsTextReads() ? std::string("a") : std::string("a\x1a" "b\n", 4), ReadAll("r"));
}

TEST_F(TextStreamTest, BinaryModeTranslatesNothing) {
  WriteBytes(dir.file("t.txt"), "a\r\nb\n");
  EXPECT_EQ("a\r\nb\n", ReadAll("rb"));
  WriteAll("wb", "c\nd\r\n");
  EXPECT_EQ("c\nd\r\n", ReadBytes(dir.file("t.txt")));
}

TEST_F(TextStreamTest, CrLfSplitAcrossReadChunksIsOneLineEnd) {
  // The file is read in chunks of 64K: put the CR on the last byte of one.
  for (size_t offset : {size_t(65534), size_t(65535), size_t(131071)}) {
    std::string disk(offset, 'x');
    WriteBytes(dir.file("t.txt"), disk + "\r\nyz\r");
    EXPECT_EQ(disk + "\nyz\r", ReadAll("r")) << "CR at offset " << offset;
  }
}

TEST_F(TextStreamTest, LoneCrAtAChunkBoundaryStaysData) {
  std::string disk(65535, 'x');
  disk += "\rz";
  WriteBytes(dir.file("t.txt"), disk);
  EXPECT_EQ(disk, ReadAll("r"));
}

TEST_F(TextStreamTest, FgetsReadsALongLineInPieces) {
  std::string line(300000, 'q');
  WriteBytes(dir.file("t.txt"), line + "\r\nnext\r\n");
  FILE* f = fopen("t.txt", "r");
  ASSERT_NE(nullptr, f);
  std::string got;
  char buffer[1000];
  while (fgets(buffer, sizeof buffer, f)) {
    got += buffer;
    if (!got.empty() && got.back() == '\n') break;
  }
  EXPECT_EQ(line + "\n", got);
  ASSERT_NE(nullptr, fgets(buffer, sizeof buffer, f));
  EXPECT_STREQ("next\n", buffer);
  EXPECT_EQ(nullptr, fgets(buffer, sizeof buffer, f));
  EXPECT_TRUE(feof(f));
  fclose(f);
}

TEST_F(TextStreamTest, AppendAddsCrLfLinesAtTheEnd) {
  WriteBytes(dir.file("t.txt"), "old\r\n");
  WriteAll("a", "new\n");
  EXPECT_EQ("old\r\nnew\r\n", ReadBytes(dir.file("t.txt")));
  WriteAll("at", "more\n");
  EXPECT_EQ("old\r\nnew\r\nmore\r\n", ReadBytes(dir.file("t.txt")));
}

TEST_F(TextStreamTest, AppendPlusReadsFromTheStartAndWritesAtTheEnd) {
  WriteBytes(dir.file("t.txt"), "first\r\nsecond\r\n");
  FILE* f = fopen("t.txt", "a+t");
  ASSERT_NE(nullptr, f);
  ASSERT_EQ(0, fseek(f, 0, SEEK_SET));
  char buffer[16];
  ASSERT_NE(nullptr, fgets(buffer, sizeof buffer, f));
  EXPECT_STREQ("first\n", buffer);
  ASSERT_EQ(0, fseek(f, 0, SEEK_CUR));
  fputs("third\n", f);
  ASSERT_EQ(0, fseek(f, 0, SEEK_END));
  // Three lines as the program sees them, or as the file holds them.
  EXPECT_EQ(testsupport::TextPositionsCountFileBytes() ? 22 : 19, ftell(f));
  fclose(f);
  EXPECT_EQ("first\r\nsecond\r\nthird\r\n", ReadBytes(dir.file("t.txt")));
}

TEST_F(TextStreamTest, FtellPositionsCanBeSoughtBackTo) {
  WriteBytes(dir.file("t.txt"), "ab\r\ncd\r\nef\r\n");
  FILE* f = fopen("t.txt", "r");
  ASSERT_NE(nullptr, f);
  char buffer[16];
  ASSERT_NE(nullptr, fgets(buffer, sizeof buffer, f));
  long second = ftell(f);
  ASSERT_NE(nullptr, fgets(buffer, sizeof buffer, f));
  EXPECT_STREQ("cd\n", buffer);
  ASSERT_EQ(0, fseek(f, second, SEEK_SET));
  ASSERT_NE(nullptr, fgets(buffer, sizeof buffer, f));
  EXPECT_STREQ("cd\n", buffer);
  // The end is as far as a full read goes: three lines of three characters
  // (of four bytes in the file).
  ASSERT_EQ(0, fseek(f, 0, SEEK_END));
  EXPECT_EQ(testsupport::TextPositionsCountFileBytes() ? 12 : 9, ftell(f));
  ASSERT_EQ(0, fseek(f, 0, SEEK_SET));
  EXPECT_EQ('a', fgetc(f));
  fclose(f);
}

TEST_F(TextStreamTest, UpdateModeReadsAndWritesAtTheSamePlaces) {
  WriteBytes(dir.file("t.txt"), "11\r\n22\r\n33\r\n");
  FILE* f = fopen("t.txt", "r+");
  ASSERT_NE(nullptr, f);
  char buffer[16];
  ASSERT_NE(nullptr, fgets(buffer, sizeof buffer, f));
  ASSERT_EQ(0, fseek(f, 0, SEEK_CUR));
  fputs("xy\n", f);
  ASSERT_EQ(0, fseek(f, 0, SEEK_CUR));
  ASSERT_NE(nullptr, fgets(buffer, sizeof buffer, f));
  EXPECT_STREQ("33\n", buffer);
  fclose(f);
  EXPECT_EQ("11\r\nxy\r\n33\r\n", ReadBytes(dir.file("t.txt")));
}

TEST_F(TextStreamTest, WritePlusTruncatesAndReadsBack) {
  WriteBytes(dir.file("t.txt"), "previous content");
  FILE* f = fopen("t.txt", "w+");
  ASSERT_NE(nullptr, f);
  fputs("l1\nl2\n", f);
  rewind(f);
  char buffer[16];
  ASSERT_NE(nullptr, fgets(buffer, sizeof buffer, f));
  EXPECT_STREQ("l1\n", buffer);
  fclose(f);
  EXPECT_EQ("l1\r\nl2\r\n", ReadBytes(dir.file("t.txt")));
}

TEST_F(TextStreamTest, LargeFileRoundTrips) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "line " + std::to_string(i) + (i % 7 ? "\n" : "\r\n");
  WriteAll("w", text);
  EXPECT_EQ(text, ReadAll("r"));
}

TEST_F(TextStreamTest, InvalidModesAreRefused) {
  EXPECT_EQ(nullptr, fopen("t.txt", "q"));
  EXPECT_EQ(EINVAL, errno);
  EXPECT_EQ(nullptr, fopen("t.txt", "rtb"));
  EXPECT_EQ(nullptr, fopen("t.txt", "r++"));
}

TEST_F(TextStreamTest, DirectoriesCannotBeOpened) {
  EXPECT_EQ(nullptr, fopen(".", "r"));
  EXPECT_EQ(EACCES, errno);
}

}  // namespace
