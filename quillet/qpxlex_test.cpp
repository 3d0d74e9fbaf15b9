// The SQL comment scanner on files it reads in binary: the rules and their
// priorities, the buffer's refills and push-backs at the chunk boundary, and
// the stop on an overlong token.
#include "qpxlex.h"
#include "qpxlex_reference.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <memory>
#include <random>
#include <string>

#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

namespace {

const size_t kChunk = 128000;

// The rules written out directly, one token at a time: the longest match wins,
// among equally long ones the lower rule number. Returns the final depth.
int ReferenceDepth(const std::string& text) {
  int depth = 0;
  size_t i = 0;
  const size_t n = text.size();
  auto isBlank = [&](size_t k) { return k < n && (text[k] == ' ' || text[k] == '\t'); };
  while (i < n) {
    auto literal = [&](const char* word) { return text[i] == word[0] && text.compare(i, strlen(word), word) == 0; };
    size_t length = 1;
    int rule = 9;
    auto offer = [&](int r, size_t len) {
      if (len > length || (len == length && r < rule)) {
        length = len;
        rule = r;
      }
    };
    if (literal("/*VOXTAG")) offer(1, 8);
    if (literal("VOXTAG*/")) offer(2, 8);
    if (literal("/*")) offer(3, 2);
    if (literal("*/")) offer(4, 2);
    if (literal("--")) offer(5, 2);
    size_t k = i;
    while (isBlank(k)) ++k;
    if (k > i) offer(8, k - i);
    if (k < n && text[k] == '\n') {
      while (k < n && text[k] == '\n') ++k;
      while (isBlank(k)) ++k;
      offer(6, k - i);
    }
    if (text[i] == '\'') offer(7, 1);
    i += length;
    if (rule == 3) ++depth;
    if (rule == 4) --depth;
    if (rule == 5 && depth == 0) {
      const size_t end = text.find('\n', i);
      i = end == std::string::npos ? n : end + 1;
    }
    if (rule == 7 && depth == 0) {
      for (;;) {
        const size_t quote = text.find('\'', i);
        if (quote == std::string::npos) {
          i = n;
          break;
        }
        i = quote + 1;
        if (i < n && text[i] == '\'') {
          ++i;
          continue;
        }
        break;
      }
    }
  }
  return depth;
}

class QPXlexTest : public testsupport::IsolatedTest {
 protected:
  // The depth after scanning `text`, with yylex or with the reference scanner.
  int Depth(const std::string& text, bool reference = false) {
    const std::string path = Write(text);
    const int depth = DepthOf(path, reference);
    remove(path.c_str());
    return depth;
  }

  // yylex, the reference scanner and the rules written out agree on `text`;
  // the common depth.
  int CheckedDepth(const std::string& text) {
    const std::string path = Write(text);
    const int depth = DepthOf(path, false);
    EXPECT_EQ(DepthOf(path, true), depth) << "reference scanner differs";
    EXPECT_EQ(ReferenceDepth(text), depth) << "rules differ";
    remove(path.c_str());
    return depth;
  }

 private:
  // A new file each time: rewriting one in place makes the file system
  // flush it on every close.
  std::string Write(const std::string& text) {
    const std::string path = dir.file("script" + std::to_string(++scripts_) + ".sql");
    testsupport::WriteBytes(path, text);
    return path;
  }

  int DepthOf(const std::string& path, bool reference) {
    FILE* stream = fopen(path.c_str(), "rb");
    EXPECT_NE(stream, nullptr);
    if (!stream) return 0;
    std::unique_ptr<QPXlex> lexer =
        reference ? std::make_unique<QPXlexReference>(stream) : std::make_unique<QPXlex>(stream);
    const int result = lexer->yylex();
    fclose(stream);
    EXPECT_EQ(result, 0);
    return lexer->GetDepth();
  }

  int scripts_ = 0;
};

struct Case {
  const char* text;
  size_t length;
  int depth;
};

#define CASE(text, depth) \
  { text, sizeof(text) - 1, depth }

TEST_F(QPXlexTest, RulesAndPriorities) {
  const Case cases[] = {
      CASE("", 0),
      CASE("select 1", 0),
      CASE("/* a */", 0),
      CASE("/* a", 1),
      CASE("a */", -1),
      CASE("/* /* */ */", 0),
      CASE("/* /* */", 1),
      // The text splits from left to right into the longest tokens.
      CASE("/*/", 1),
      CASE("*/*", -1),
      CASE("/**/", 0),
      CASE("/*/*/", 2),
      // Line comments hide braces up to the line end, not beyond.
      CASE("-- /*\nselect", 0),
      CASE("-- x\n/*", 1),
      CASE("-- /*", 0),
      CASE("---/*\n", 0),
      // Quoted literals, with doubled quotes inside.
      CASE("'/*'", 0),
      CASE("'it''s /*' */", -1),
      CASE("'open /* to the end", 0),
      CASE("'a'/*", 1),
      CASE("''/*", 1),
      CASE("'''/*'", 0),
      CASE("/* ' */", 0),
      CASE("/* -- */", 0),
      // The settings block markers are no braces; in lower case they are.
      CASE("/*VOXTAG\n[Settings]\nApplication=x\n[SettingsEnd]\nVOXTAG*/\n", 0),
      CASE("/*voxtag\nvoxtag*/", 0),
      CASE("/*voxtag\n", 1),
      CASE("/*VOXTAG*/", -1),
      CASE("VOXTAG*/", 0),
      CASE("VVOXTAG*/", 0),
      CASE("/*VOXTA*/", 0),
      CASE("/*VOXTAB", 1),
      CASE("VOXTAG*", 0),
      CASE("VOXTAG*x/", 0),
      CASE("/*VOXTAGG */", -1),
      // After a surplus closer, dashes and quotes are ordinary characters.
      CASE("*/ -- /*\n", 0),
      CASE("*/ ' /*", 0),
      CASE("/* -- */ /*", 1),
      // Blanks and line ends around braces.
      CASE(" \t\n\n /*\t\n*/ \n", 0),
      CASE("\r\n/*\r\n", 1),
      // Zero bytes and bytes above 127 are ordinary characters.
      CASE("'\xff/*'", 0),
      CASE("-- \xff /*\n", 0),
      CASE("'\0/*'", 0),
      CASE("/\0*", 0),
      CASE("\0/*", 1),
      CASE("\xff\xfe/*", 1),
      CASE("\xef\xbb\xbf/* */", 0),
  };
  for (const Case& c : cases) {
    const std::string text(c.text, c.length);
    EXPECT_EQ(CheckedDepth(text), c.depth) << "text: " << text;
  }
}

// Random texts made of the characters that matter, against the reference.
TEST_F(QPXlexTest, AgreesWithTheRulesOnRandomText) {
  const std::string pieces[] = {"/", "*", "-", "'", "V", "O", "X", "T", "A", "G", " ", "\t", "\n", "x",
                                std::string(1, '\0'), "\xff", "/*VOXTAG", "VOXTAG*/", "''", "\r"};
  std::mt19937 random(20240611);
  for (int round = 0; round < 500; ++round) {
    std::string text;
    const int count = static_cast<int>(random() % 60);
    for (int i = 0; i < count; ++i) text += pieces[random() % (sizeof pieces / sizeof *pieces)];
    SCOPED_TRACE("text: " + text);
    CheckedDepth(text);
    if (HasFailure()) return;
  }
}

// Texts of several chunks, where tokens, literals and comments cross the
// refills at every distance from the boundary.
TEST_F(QPXlexTest, AgreesWithTheRulesAcrossRefills) {
  std::mt19937 random(7);
  const char* pieces[] = {"/*", "*/", "--", "'", "''", "\n", "  ", "\n\n  ", "VOXTAG*/", "/*VOXTAG",
                          "select a from b;", "x", "-", "*", "/"};
  for (int round = 0; round < 6; ++round) {
    std::string text;
    while (text.size() < 3 * kChunk + 1000) {
      const char* piece = pieces[random() % (sizeof pieces / sizeof *pieces)];
      // Comments and literals are rarer than code, so that some braces count.
      if ((piece[0] == '\'' || piece[0] == '-') && random() % 4 != 0) continue;
      text += piece;
    }
    text.resize(2 * kChunk + random() % kChunk);
    CheckedDepth(text);
  }
}

// SQL-like texts: runs of code between comments, literals and braces whose
// bodies have every length around the sixty-four characters that the bulk
// skip classifies at a time, so that each lies at every offset of its steps.
TEST_F(QPXlexTest, AgreesWithTheRulesOnConstructsOfEveryLength) {
  std::mt19937 random(64);
  const char* const code[] = {"select", " ", "\n", "\t", "x", "-", "*", "/", "V", "VO", "- -", "* /", "/ *"};
  const char* const braces[] = {"/*", "*/", "--", "/*VOXTAG", "VOXTAG*/", "*/*", "/*/", "---", "''"};
  // Doubled quotes, braces and dashes inside; a body cut in a doubled quote
  // ends its literal early.
  auto body = [&] {
    std::string text;
    const size_t length = random() % 140;
    while (text.size() < length) {
      const unsigned pick = random() % 8;
      text += pick == 0 ? "''" : pick == 1 ? "*/" : pick == 2 ? "--" : pick == 3 ? "/*" : "ab ";
    }
    text.resize(length);
    return text;
  };
  for (int round = 0; round < 300; ++round) {
    std::string text(random() % 70, 'a');
    while (text.size() < 3000) {
      switch (random() % 4) {
        case 0:
          text += "'" + body() + "'";
          break;
        case 1:
          text += "--" + body() + "\n";
          break;
        case 2:
          text += braces[random() % (sizeof braces / sizeof *braces)];
          break;
        default:
          for (unsigned count = random() % 30; count > 0; --count) text += code[random() % (sizeof code / sizeof *code)];
      }
    }
    SCOPED_TRACE("text: " + text);
    CheckedDepth(text);
    if (HasFailure()) return;
  }
}

std::string Filler(size_t length) {
  static std::string lines;
  while (lines.size() < length) lines += "select col from tab where x = 1;\n";
  std::string text = lines.substr(0, length);
  // It ends in a plain character, so that it never lengthens a run of blanks.
  if (!text.empty()) text.back() = ';';
  return text;
}

TEST_F(QPXlexTest, TokensStraddlingTheChunkBoundary) {
  // Every shift of a token against the end of the first chunk, and a few
  // against the end of the second, where the input ends.
  const char* tokens[] = {"/*", "*/", "/*VOXTAG", "VOXTAG*/", "--x\n/*", "'a''b/*'/*", "'/*'", "'x'''"};
  for (const char* token : tokens) {
    const std::string word(token);
    for (size_t back = 0; back <= word.size(); ++back) {
      SCOPED_TRACE(word + " starting " + std::to_string(back) + " before the boundary");
      CheckedDepth(Filler(kChunk - back) + word + " /* */");
      if (back == 1 || back == word.size()) CheckedDepth(Filler(2 * kChunk - back) + word);
    }
  }
}

// The bulk skip classifies characters in steps counted from where its
// stretch begins, here after "/*". A token that the end of the first read
// cuts, at every offset of those steps: what follows the cut is not read
// yet, whatever the step or the automaton would read there.
TEST_F(QPXlexTest, TokenCutByTheReadAtEveryStepOffset) {
  const struct {
    const char* text;
    size_t before;  // its characters before the cut
  } tokens[] = {{"--x\n/*", 1}, {"*/", 1}, {"/*", 1}, {"VOXTAG*/", 1}, {"'a'/*", 1}, {"/*VOXTAG", 5}, {"'it''s'/*", 4}};
  for (const auto& token : tokens) {
    for (size_t lead = 0; lead < 70; ++lead) {
      SCOPED_TRACE(std::string(token.text) + " after a stretch from " + std::to_string(lead + 2));
      CheckedDepth(Filler(lead) + "/**/" + Filler(kChunk - lead - 4 - token.before) + token.text + " /*");
      if (HasFailure()) return;
    }
  }
}

TEST_F(QPXlexTest, LiteralAndCommentRunningToTheEnd) {
  // A line comment without line end that fills a file of exactly one chunk.
  std::string text = Filler(kChunk - 100) + "/* */ -- " + std::string(91, 'c');
  ASSERT_EQ(text.size(), kChunk);
  EXPECT_EQ(CheckedDepth(text), 0);
  // Comments and literals longer than the buffer.
  EXPECT_EQ(CheckedDepth("-- " + std::string(3 * kChunk, '/') + "\n/*"), 1);
  EXPECT_EQ(CheckedDepth("'" + std::string(3 * kChunk, '*') + "'/*"), 1);
  EXPECT_EQ(CheckedDepth("'" + std::string(3 * kChunk, '*')), 0);
}

TEST_F(QPXlexTest, PushBackRightAfterARefill) {
  // The literal's closing quote ends a chunk, so the character after it is
  // read into a fresh buffer and pushed back there.
  for (size_t shift = 0; shift < 3; ++shift) {
    const std::string head = Filler(1000) + "'" + std::string(kChunk - 1002 - shift, 'q') + "'";
    ASSERT_EQ(head.size(), kChunk - shift);
    EXPECT_EQ(CheckedDepth(head + std::string(shift, 'z') + "/* x"), 1);
    EXPECT_EQ(CheckedDepth(head + std::string(shift, 'z') + "*/"), -1);
    // A doubled quote split by the refill keeps the literal open.
    EXPECT_EQ(CheckedDepth(head + std::string(shift, 'z') + "'/* x' */"), -1);
    EXPECT_EQ(CheckedDepth(head + "'/* x"), 0);
  }
}

TEST_F(QPXlexTest, LongRunsOfBlanksBelowTheLimit) {
  EXPECT_EQ(CheckedDepth(std::string(kChunk - 1, ' ') + "/*"), 1);
  EXPECT_EQ(CheckedDepth(std::string(kChunk - 1, '\n')), 0);
  // Blanks and line ends alternating are many short tokens, however long.
  std::string text;
  while (text.size() < 3 * kChunk) text += "\n \n\t";
  EXPECT_EQ(CheckedDepth(text + "*/"), -1);
  // Blanks after line ends end a token at the next line end.
  const std::string half(kChunk / 2 - 1, ' ');
  EXPECT_EQ(CheckedDepth(half + "\n" + half + "\n" + half + "/*"), 1);
  // The longest run that passes, away from the start of a chunk.
  EXPECT_EQ(CheckedDepth(Filler(10) + std::string(kChunk - 1, ' ') + "/*"), 1);
  EXPECT_EQ(CheckedDepth(Filler(kChunk - 10) + std::string(kChunk - 1, '\n') + "/*"), 1);
  // A line comment's own line end ends the comment and starts no run: the
  // line ends after it may be one short of the limit, wherever the comment
  // and literals before it lie against the refills.
  for (size_t offset : {size_t{0}, size_t{1}, size_t{17}, kChunk / 2, kChunk - 40}) {
    const std::string lead = Filler(offset) + " 'a''b' -- note\n";
    EXPECT_EQ(CheckedDepth(lead + std::string(kChunk - 1, '\n') + "/*"), 1) << offset;
  }
}

// Runs of blanks and line ends longer than a chunk, made of many short
// tokens, with braces between them at every distance from the refills.
TEST_F(QPXlexTest, WhiteSpaceRunsOfManyTokens) {
  std::mt19937 random(99);
  for (int round = 0; round < 8; ++round) {
    std::string text = "x";
    for (int run = 0; run < 3; ++run) {
      const size_t length = kChunk / 2 + random() % (2 * kChunk);
      const size_t end = text.size() + length;
      while (text.size() < end) text += "\n" + std::string(random() % 2000, random() % 2 ? ' ' : '\t');
      text += run == 1 ? "*/" : "/*";
    }
    SCOPED_TRACE("round " + std::to_string(round));
    EXPECT_EQ(CheckedDepth(text), 1);
  }
  // A token pending at the first refill, then short tokens, then an opener
  // near the end of the second chunk.
  for (size_t pending : {2, 700, 1500}) {
    for (size_t before : {2, 300, 1400}) {
      std::string text = "x";
      while (text.size() < kChunk - pending - 2) text += "\n ";
      text.resize(kChunk - pending, '\n');
      text += std::string(3000, ' ');
      while (text.size() < 2 * kChunk - pending - 2 + before) text += "\n\t";
      text += "/*\n";
      SCOPED_TRACE(std::to_string(pending) + " pending, opener " + std::to_string(before) + " after");
      EXPECT_EQ(CheckedDepth(text), 1);
    }
  }
}

using QPXlexDeathTest = QPXlexTest;

// A token of a whole chunk or more stops the process, wherever it lies.
TEST_F(QPXlexDeathTest, OverlongTokenStopsTheProcess) {
  const std::string runs[] = {
      std::string(kChunk, ' '),
      std::string(kChunk, '\n'),
      std::string(kChunk + 5, '\t') + "x",
      Filler(10) + std::string(kChunk, ' ') + Filler(kChunk),
      Filler(kChunk / 2) + std::string(kChunk / 2, ' ') + std::string(kChunk / 2, '\n') + "/*",
      Filler(kChunk + 7) + "\n" + std::string(kChunk - 1, ' ') + "x",
  };
  for (const std::string& text : runs) {
    EXPECT_EXIT(Depth(text), ::testing::ExitedWithCode(1), "^pclex PInput buffer overflowed\n$");
    EXPECT_EXIT(Depth(text, true), ::testing::ExitedWithCode(1), "^pclex PInput buffer overflowed\n$");
  }
}

}  // namespace
