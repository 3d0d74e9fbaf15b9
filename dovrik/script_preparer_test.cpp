// The fast way of preparing a script against the plain way (every piece
// through LineReader::Next and PrepareLine), on generated scripts that put
// comments, settings-block markers, line comments, tabs, blank runs, quotes,
// zero bytes, lone CRs, 0x1A and long lines at every kind of place, block
// edges included.

#include "script_preparer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "testsupport/files.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::ReadBytes;
using testsupport::WriteBytes;
using namespace std::string_literals;

// A script of about `size` bytes. With `withCtrlZ`, 0x1A bytes (which end a
// text read on Windows) appear among the rest. Comment braces lean towards
// the ones that bring the depth back to 0, so that the comments end.
std::string GeneratedScript(unsigned seed, size_t size, bool withCtrlZ) {
  std::mt19937 random(seed);
  const std::vector<std::string> words = {
      "select", "a", "o.id", " ", " ", "  ", "   ", "\t", "\t\t", " \t", "*", "/", "/*VOXTAG", "VOXTAG*/", "VOXTAG",
      "--", "-", "#", ";", "\"", "'", "\xe9", "\xff", "\r", "\0"s, "0123456789abcdef"};
  const std::vector<std::string> braces = {"/*", "*/", "/*/", "*/*"};
  const std::vector<std::string> starts = {"", "", "", "", "--", "-", "#", ";", "\t", "\t\t", " ", "  ", "/*", "*/"};
  const std::vector<std::string> ends = {"\r\n", "\r\n", "\r\n", "\n", "\n", "\r", " \r\n", "\t\r\n", "\r\r\n"};
  const size_t longLengths[] = {16380, 16381, 16382, 16383, 16384, 16385, 40000, 300000};
  const char filler[] = {'a', 'b', ' ', ' ', '\t', '*', '-', '"'};  // no braces
  std::string text;
  int depth = 0;  // about the depth of the plain way
  while (text.size() < size) {
    std::string line = starts[random() % starts.size()];
    if (random() % 40 == 0) {
      const size_t length = longLengths[random() % (sizeof longLengths / sizeof *longLengths)];
      for (size_t i = 0; i < length; ++i) line += filler[random() % sizeof filler];
    } else {
      for (unsigned n = random() % 12; n > 0; --n) {
        if (random() % 6 != 0)
          line += words[random() % words.size()];
        else if (depth != 0 && random() % 4 != 0)
          line += depth > 0 ? "*/" : "/*";
        else
          line += braces[random() % braces.size()];
        if (withCtrlZ && random() % 500 == 0) line += '\x1a';
      }
    }
    // The depth after the line, as the plain way would about count it.
    const auto depthAfter = [&line](int before) {
      const std::string counted = line.substr(0, line.find('\0')) + "\n";
      if (!IsLineComment(counted.c_str(), false)) CutComments(counted.data(), counted.data() + counted.size(), before);
      return before;
    };
    int after = depthAfter(depth);
    if (after != 0 && random() % 8 == 0) {
      for (int i = after > 0 ? after : -after; i > 0; --i) line += after > 0 ? " */" : "/* ";
      after = depthAfter(depth);
    }
    depth = after;
    text += line + ends[random() % ends.size()];
  }
  return text;
}

class ScriptPreparerTest : public testsupport::IsolatedTest {
 protected:
  struct Options {
    bool quote;
    bool hash;
  };

  // The prepared form of the file at `path`, by the fast way with blocks of
  // the given sizes, or by the plain way.
  std::string Prepare(const std::string& path, Options options, bool fast, size_t readBlock = 1 << 20,
                      size_t writeBlock = 1 << 20) {
    const std::string outPath = dir.file(fast ? "fast.sql" : "plain.sql");
    FILE* in = fopen(path.c_str(), kReadMode);
    FILE* out = fopen(outPath.c_str(), kCreateMode);
    EXPECT_NE(nullptr, in);
    EXPECT_NE(nullptr, out);
    if (in == nullptr || out == nullptr) return std::string();
    {
      ScriptPreparer preparer(options.quote, options.hash);
      LineReader reader(in, readBlock);
      BlockWriter writer(out, writeBlock);
      if (fast) {
        preparer.PrepareAll(reader, writer);
      } else {
        size_t length;
        while (char* piece = reader.Next(&length)) preparer.PreparePiece(piece, writer);
      }
      writer.Flush();
    }
    fclose(in);
    fclose(out);
    return ReadBytes(outPath);
  }
};

// Each fast run is compared with the plain run that reads in blocks of the
// same size: the blocks end a text read on Windows at different places
// when 0x1A comes late, which is the reader's business, not the preparing's.
TEST_F(ScriptPreparerTest, FastWayWritesWhatThePlainWayWrites) {
  const std::string path = dir.file("in.sql");
  const Options allOptions[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (unsigned seed = 1; seed <= 40; ++seed) {
    WriteBytes(path, GeneratedScript(seed, 400000, seed % 4 == 0));
    const Options options = allOptions[seed % 4];
    const size_t blocks[][2] = {{1 << 20, 1 << 20}, {2 * kLineBufferSize, 40000}, {100003, 2 * kLineBufferSize + 1}};
    for (const auto& block : blocks) {
      SCOPED_TRACE("seed " + std::to_string(seed) + ", blocks " + std::to_string(block[0]) + " " +
                   std::to_string(block[1]));
      const std::string plain = Prepare(path, options, false, block[0]);
      ASSERT_FALSE(plain.empty());
      const std::string fast = Prepare(path, options, true, block[0], block[1]);
      ASSERT_EQ(plain.size(), fast.size());
      ASSERT_TRUE(plain == fast);
    }
  }
}

// Scripts as they come: one kind of line end throughout, few oddities, so
// that long stretches go the fast way, depth and comments across many lines.
TEST_F(ScriptPreparerTest, FastWayOnPlainScripts) {
  const std::string path = dir.file("in.sql");
  std::mt19937 random(99);
  const std::vector<std::string> lines = {
      "create procedure p @a int", "as", "begin", "\t/* the totals,", "\t   summed */",
      "\tselect   o.id,\tsum(o.amount)  as total   /* net */", "\t\tfrom orders o  where o.state = \"open\"",
      "\t\tgroup by o.id    ", "", "  -- not at the start", "-- a line comment /*", "# hash", "; semicolon",
      "end", "go", "/*VOXTAG", "[Script]", "VOXTAG*/", "select * from t /* a */ where /* b */ x = 1",
      "x */ y /* z", "*/", "/* /* */", "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\tdeep", std::string(200, ' ') + "wide"};
  for (const char* lineEnd : {"\r\n", "\n"}) {
    std::string text;
    while (text.size() < 300000) text += lines[random() % lines.size()] + lineEnd;
    WriteBytes(path, text);
    for (Options options : {Options{false, false}, Options{true, true}}) {
      const std::string plain = Prepare(path, options, false);
      EXPECT_TRUE(plain == Prepare(path, options, true)) << lineEnd[0] << options.quote;
      EXPECT_TRUE(plain == Prepare(path, options, true, 2 * kLineBufferSize, 2 * kLineBufferSize + 7));
    }
  }
}

TEST_F(ScriptPreparerTest, EdgesOfTheText) {
  const std::string path = dir.file("in.sql");
  const std::string a(16382, 'a');
  const std::string tabs(20000, '\t');
  for (const std::string& text :
       {std::string(), "x"s, "\r"s, "\n"s, "x\r"s, "x\r\n"s, " \t \r\n"s, "\t\t"s, "a  \t"s, "--"s, "-"s,
        "a\r\nb\rc\r\n"s, "a\0b\r\nc\r\n"s, a + "\r\n", a + "\n", a + "b\r\n", a + "b\n", a + "\r\r\n",
        tabs + "x\r\n", tabs, std::string(5000000, 'x') + "\r\n", std::string(3000000, ' ') + "y\n"}) {
    WriteBytes(path, text);
    for (Options options : {Options{false, false}, Options{true, true}}) {
      const std::string plain = Prepare(path, options, false);
      EXPECT_TRUE(plain == Prepare(path, options, true, 2 * kLineBufferSize)) << text.size() << " bytes";
    }
  }
}

// What the fast way takes of a text, and where it stops for the plain way.
TEST(PrepareLines, TakesTheOrdinaryLinesAndStopsBeforeTheOthers) {
  struct Case {
    std::string text;
    size_t taken;
  };
  // The line end as the stream delivers it.
  const std::string crLf = kStreamsTranslate ? "\n" : "\r\n";
  const size_t n = crLf.size();
  const std::string a(16382, 'a');
  const Case cases[] = {
      {"a" + crLf + "b\n", n + 3},
      {"a" + crLf + "b", n + 1},               // the last line does not end in the text
      {"a" + crLf + "b\r", n + 1},             // nor does this one: an LF may follow
      {"a" + crLf + "b\rc" + crLf + "d", n + 1},  // a lone CR
      {"a\nb\0c\nd\n"s, 2},                    // a zero byte
      {"a\n/* b\n c */ d\n--\0\re\nf\0\n"s, 21},  // comments, and a line comment whatever it holds
      {a + crLf + "b\n", a.size() + n + 2},    // the longest line that is one piece
      {a + "b" + crLf + "c\n", 0},
      {a + "b\n", 0},
  };
  for (const Case& c : cases) {
    std::string text = c.text + std::string(kReadAhead, '\n');
    BlockWriter writer(nullptr);
    ScriptPreparer preparer(false, false);
    EXPECT_EQ(c.taken, preparer.PrepareLines(text.data(), c.text.size(), writer)) << c.text.substr(0, 40);
  }
}

}  // namespace
