// The block-wise reader and writer against the plain way: fgets and fputs on
// the runtime's text-mode streams, on generated text that puts CR, LF, zero
// bytes, 0x1A and long lines at every kind of place, block boundaries
// included.

#include "line_reader.h"

#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "testsupport/files.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

// A byte that GeneratedText never holds.
const char kUnused = '\x01';

// Text of about `size` bytes: lines of every length near the piece limit and
// the block size, made of characters that the translation treats differently.
std::string GeneratedText(unsigned seed, size_t size) {
  std::mt19937 random(seed);
  const char alphabet[] = {'a', 'b', ' ', '\t', '\r', '\r', '\n', '\0', '\x1a', '*', '/'};
  const size_t lengths[] = {0, 1, 2, 16381, 16382, 16383, 16384, 16385, 32766, 32767, 32768, 32769};
  std::string text;
  while (text.size() < size) {
    size_t length = random() % 3 == 0 ? lengths[random() % (sizeof lengths / sizeof *lengths)] : random() % 80;
    for (size_t i = 0; i < length; ++i) text += alphabet[random() % sizeof alphabet];
    switch (random() % 4) {
      case 0: text += "\n"; break;
      case 1: text += "\r"; break;
      default: text += "\r\n"; break;
    }
  }
  return text;
}

class LineReaderTest : public testsupport::IsolatedTest {
 protected:
  // The pieces of the file as fgets on a text-mode stream reads them. The
  // buffer is filled with a byte the texts never hold, so the piece is what
  // comes before fgets' terminating zero, zero bytes of its own included.
  std::vector<std::string> PlainPieces(const std::string& path) {
    std::vector<std::string> pieces;
    FILE* stream = fopen(path.c_str(), "rt");
    EXPECT_NE(nullptr, stream);
    if (!stream) return pieces;
    char line[kLineBufferSize];
    for (;;) {
      memset(line, kUnused, sizeof line);
      if (!fgets(line, sizeof line, stream)) break;
      const char* unused = static_cast<const char*>(memchr(line, kUnused, sizeof line));
      const size_t length = (unused ? static_cast<size_t>(unused - line) : sizeof line) - 1;
      pieces.emplace_back(line, length);
    }
    fclose(stream);
    return pieces;
  }

  std::vector<std::string> BlockPieces(const std::string& path, size_t blockSize) {
    std::vector<std::string> pieces;
    FILE* stream = fopen(path.c_str(), kReadMode);
    EXPECT_NE(nullptr, stream);
    if (!stream) return pieces;
    LineReader reader(stream, blockSize);
    size_t length;
    while (char* piece = reader.Next(&length)) {
      EXPECT_EQ('\0', piece[length]);
      pieces.emplace_back(piece, length);
    }
    fclose(stream);
    return pieces;
  }
};

TEST_F(LineReaderTest, DeliversThePiecesOfTheLineReader) {
  const std::string path = dir.file("in.sql");
  for (unsigned seed = 1; seed <= 12; ++seed) {
    WriteBytes(path, GeneratedText(seed, 300000));
    const std::vector<std::string> plain = PlainPieces(path);
    for (size_t blockSize : {2 * kLineBufferSize, 2 * kLineBufferSize + 1, size_t{100003}, size_t{1} << 20}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + ", block " + std::to_string(blockSize));
      EXPECT_TRUE(plain == BlockPieces(path, blockSize));
    }
  }
}

TEST_F(LineReaderTest, EdgesOfTheText) {
  const std::string path = dir.file("in.sql");
  const std::string a(16382, 'a');
  for (const std::string& text : {std::string(), std::string("\r"), std::string("\n"), std::string("x\r"),
                                  std::string("\r\r\n\r"), a + "\r\n", a + "b\r\n", a + "bc\r\n", a + "b\r",
                                  a + "\r\r\n", a + "bc"}) {
    WriteBytes(path, text);
    EXPECT_TRUE(PlainPieces(path) == BlockPieces(path, 2 * kLineBufferSize)) << text.size() << " bytes";
  }
}

TEST_F(LineReaderTest, BlockWriterWritesWhatTheTextStreamWrites) {
  std::mt19937 random(7);
  const std::string plainPath = dir.file("plain.sql"), blockPath = dir.file("block.sql");
  FILE* plain = fopen(plainPath.c_str(), "w+t");
  FILE* block = fopen(blockPath.c_str(), kCreateMode);
  ASSERT_NE(nullptr, plain);
  ASSERT_NE(nullptr, block);
  {
    BlockWriter writer(block, 4096);
    const std::string text = GeneratedText(3, 200000);
    for (size_t at = 0; at < text.size();) {
      const size_t length = std::min(text.size() - at, static_cast<size_t>(random() % 9000));
      const std::string part = text.substr(at, length);
      at += length;
      if (random() % 2) {
        fwrite(part.data(), 1, part.size(), plain);
        writer.WriteText(part.data(), part.size());
      } else {
        // A prepared line holds no line end.
        std::string line = part;
        for (char& c : line)
          if (c == '\n' || c == '\0') c = 'n';
        fputs((line + "\n").c_str(), plain);
        writer.WriteLine(line.data(), line.size());
      }
    }
    writer.Flush();
  }
  fclose(plain);
  fclose(block);
  EXPECT_TRUE(ReadBytes(plainPath) == ReadBytes(blockPath));
}

}  // namespace
