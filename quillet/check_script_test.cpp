// The comment check of whole scripts: text mode, UTF-16 conversion, the
// temporary files, the check's codes and the stop on an overlong token.
#include "check_script.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include <testsupport/environment.h>
#include <testsupport/files.h>
#include <testsupport/platform.h>
#include <testsupport/run_program.h>
#include <testsupport/temp_dir.h>

namespace {

const size_t kChunk = 128000;

// UTF-16 with a byte-order mark, from code units.
std::string Utf16(const std::u16string& units, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : units) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

std::u16string Widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// Every check runs with its own temporary folder, so that what it leaves
// behind can be seen.
class CheckScriptTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override {
    testsupport::MakeDirs(dir.file("tmp"));
    tempFolder_ = std::make_unique<testsupport::ScopedTempFolder>(dir.file("tmp"));
  }
  void TearDown() override { tempFolder_.reset(); }

  // The folder where temporary files are made.
  void SetTempFolder(const std::string& path) { tempFolder_->Set(path); }

  // Writes the script and returns its path in the form the driver passes.
  std::string Script(const std::string& bytes, const std::string& name = "script.sql") {
    testsupport::WriteBytes(dir.file(name), bytes);
    return dir.winPath(name);
  }

  // Checks the script and makes sure it is unchanged and nothing is left behind.
  unsigned int Check(const std::string& bytes) {
    const std::string name = "script" + std::to_string(++scripts_) + ".sql";
    const std::string path = Script(bytes, name);
    const unsigned int code = CheckScript(path.c_str());
    EXPECT_EQ(testsupport::ReadBytes(dir.file(name)), bytes) << "the script was changed";
    EXPECT_EQ(TempFiles(), std::vector<std::string>()) << "temporary files left behind";
    return code;
  }

  // The files in the temporary folder.
  std::vector<std::string> TempFiles() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(dir.winPath("tmp\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if (found.cFileName[0] != '.') names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
  }

 private:
  int scripts_ = 0;
  std::unique_ptr<testsupport::ScopedTempFolder> tempFolder_;
};

TEST_F(CheckScriptTest, BalancedAndUnbalancedScripts) {
  EXPECT_EQ(Check(""), kCheckBalanced);
  EXPECT_EQ(Check("select 1\r\n/* a\r\n b */\r\n"), kCheckBalanced);
  EXPECT_EQ(Check("/* a\r\n"), kCheckUnbalanced);
  EXPECT_EQ(Check("a */\r\n"), kCheckUnbalanced);
  EXPECT_EQ(4394u, kCheckUnbalanced);
  EXPECT_EQ(Check("/*VOXTAG\r\n[Settings]\r\nApplication=x\r\n[SettingsEnd]\r\nVOXTAG*/\r\n"), kCheckBalanced);
  // The UTF-8 mark is three ordinary characters.
  EXPECT_EQ(Check("\xEF\xBB\xBF/* */"), kCheckBalanced);
  EXPECT_EQ(Check("\xEF\xBB\xBF/*"), kCheckUnbalanced);
}

TEST_F(CheckScriptTest, ScriptsAreReadInTextMode) {
  // CR LF ends a line comment; a lone CR does not.
  EXPECT_EQ(Check("-- note\r\n/*\r\n"), kCheckUnbalanced);
  EXPECT_EQ(Check("-- note\r/*\r\n"), kCheckBalanced);
  // Zero bytes and bytes above 127 are data; so is the byte 1A, except to
  // Windows' runtime, for which it ends the text.
  EXPECT_EQ(Check(std::string("'\xFF\0/*'\r\n", 7)), kCheckBalanced);
  EXPECT_EQ(Check(std::string("\0\x1A/*", 4)),
            testsupport::CtrlZEndsTextReads() ? kCheckBalanced : kCheckUnbalanced);
  EXPECT_EQ(Check("-- \xFF\x1A /*\r\n"), kCheckBalanced);
}

TEST_F(CheckScriptTest, Utf16ScriptsInBothByteOrders) {
  for (bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
    EXPECT_EQ(Check(Utf16(Widen("select '/*''x'\r\n/* a */\r\n"), bigEndian)), kCheckBalanced);
    EXPECT_EQ(Check(Utf16(Widen("/* a\r\n"), bigEndian)), kCheckUnbalanced);
    // Only the low-order byte of each unit is kept: U+012F U+022A become "/*".
    EXPECT_EQ(Check(Utf16(u"\u012F\u022A", bigEndian)), kCheckUnbalanced);
    EXPECT_EQ(Check(Utf16(u"", bigEndian)), kCheckBalanced);
    // A final odd byte is dropped: "/**" and a lone "/" make no closer.
    EXPECT_EQ(Check(Utf16(u"/**", bigEndian) + "/"), kCheckUnbalanced);
  }
}

class ConvertUtf16Test : public CheckScriptTest {
 protected:
  DWORD Convert(const std::string& bytes, std::string& converted) {
    testsupport::WriteBytes(dir.file("in.sql"), bytes);
    const DWORD code = ConvertUtf16Script(dir.winPath("in.sql").c_str(), dir.winPath("out.sql").c_str());
    converted = testsupport::Exists(dir.file("out.sql")) ? testsupport::ReadBytes(dir.file("out.sql")) : "";
    return code;
  }
};

TEST_F(ConvertUtf16Test, KeepsTheLowOrderBytesInChunks) {
  // Text of several conversion chunks, with units above U+00FF and line ends
  // that stay as they are.
  std::string expected;
  std::u16string units;
  for (int i = 0; i < 30000; ++i) {
    const char16_t unit = static_cast<char16_t>(i % 7 == 0 ? 0x0100 + i % 256 : (i % 50 == 0 ? '\r' : 'a' + i % 26));
    units += unit;
    expected += static_cast<char>(unit & 0xFF);
  }
  for (bool bigEndian : {false, true}) {
    std::string converted;
    EXPECT_EQ(Convert(Utf16(units, bigEndian), converted), 0u);
    EXPECT_EQ(converted, expected);
    EXPECT_EQ(Convert(Utf16(units, bigEndian) + "z", converted), 0u) << "odd length";
    EXPECT_EQ(converted, expected);
    EXPECT_EQ(Convert(Utf16(u"", bigEndian), converted), 0u);
    EXPECT_EQ(converted, "");
  }
}

TEST_F(ConvertUtf16Test, FailureCodes) {
  std::string converted;
  EXPECT_EQ(Convert("ab", converted), kCheckBadUtf16);
  EXPECT_EQ(Convert("\xFF", converted), kCheckBadUtf16);
  EXPECT_EQ(Convert("", converted), kCheckBadUtf16);
  EXPECT_EQ(ConvertUtf16Script(dir.winPath("missing.sql").c_str(), dir.winPath("out.sql").c_str()),
            static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  testsupport::WriteBytes(dir.file("in.sql"), Utf16(u"x", false));
  EXPECT_EQ(ConvertUtf16Script(dir.winPath("in.sql").c_str(), dir.winPath("no\\such\\out.sql").c_str()),
            static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(CheckScriptTest, ScriptsThatCannotBeRead) {
  EXPECT_EQ(CheckScript(dir.winPath("missing.sql").c_str()), kCheckCannotRead);

  // A script held exclusively, as the new script is while quillet merges.
  const std::string held = Script("/* */");
  HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CheckScript(held.c_str()), kCheckCannotRead);
  CloseHandle(holder);

  // A UTF-16 script that another program is writing cannot be converted.
  const std::string busy = Script(Utf16(u"/* */", false), "busy.sql");
  holder = CreateFileA(busy.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CheckScript(busy.c_str()), static_cast<unsigned int>(ERROR_SHARING_VIOLATION));
  CloseHandle(holder);
  EXPECT_EQ(TempFiles(), std::vector<std::string>());
}

TEST_F(CheckScriptTest, NoTemporaryFolder) {
  SetTempFolder(dir.file("no-such-folder"));
  EXPECT_EQ(CheckScript(Script("/* */").c_str()), kCheckNoTempFile);
  EXPECT_EQ(CheckScript(Script(Utf16(u"/* */", true)).c_str()), kCheckNoTempFile);
}

TEST_F(CheckScriptTest, LongSingleLineScript) {
  // 100 MB without a line end.
  std::string text = "select a, b from t where c = 'x''y' and d = 2 * 3 - 1; ";
  while (text.size() < (100u << 20)) text += text;
  text += "/* ";
  testsupport::WriteBytes(dir.file("big.sql"), text);
  EXPECT_EQ(CheckScript(dir.winPath("big.sql").c_str()), kCheckUnbalanced);
  EXPECT_EQ(TempFiles(), std::vector<std::string>());
}

using CheckScriptDeathTest = CheckScriptTest;

// The stop on an overlong token removes the check's temporary files.
TEST_F(CheckScriptDeathTest, OverlongTokenStopsWithoutLeftovers) {
  const std::string plain = Script("select 1;\r\n" + std::string(kChunk, ' ') + "/*\r\n", "plain.sql");
  EXPECT_EXIT(CheckScript(plain.c_str()), ::testing::ExitedWithCode(1), "^pclex PInput buffer overflowed\n$");
  EXPECT_EQ(TempFiles(), std::vector<std::string>());

  const std::string wide = Script(Utf16(Widen("select 1;" + std::string(kChunk, '\n')), false), "wide.sql");
  EXPECT_EXIT(CheckScript(wide.c_str()), ::testing::ExitedWithCode(1), "^pclex PInput buffer overflowed\n$");
  EXPECT_EQ(TempFiles(), std::vector<std::string>());
}

// The check of a script in memory against the check of the file, on
// generated scripts with every kind of line end.
TEST_F(CheckScriptTest, ScriptInMemoryChecksAsTheFile) {
  std::mt19937 random(17);
  const char* const pieces[] = {"/*", "*/", "--", "'", "''", "\r\n", "\n", "\r", " ", "a", "/*VOXTAG", "VOXTAG*/", "*", "/"};
  for (int round = 0; round < 200; ++round) {
    std::string bytes;
    const size_t count = random() % 3 == 0 ? 40000 : random() % 60;
    for (size_t i = 0; i < count; ++i) bytes += pieces[random() % (sizeof pieces / sizeof *pieces)];
    const std::string path = Script(bytes);
    ASSERT_EQ(CheckScript(path.c_str()), CheckScriptBytes(bytes.data(), bytes.size())) << bytes;
    EXPECT_EQ(TempFiles(), std::vector<std::string>());
  }
}

TEST_F(CheckScriptDeathTest, ScriptInMemoryStopsOnAnOverlongTokenWithoutLeftovers) {
  const std::string text = "select 1;\r\n" + std::string(kChunk, ' ') + "/*\r\n";
  EXPECT_EXIT(CheckScriptBytes(text.data(), text.size()), ::testing::ExitedWithCode(1),
              "^pclex PInput buffer overflowed\n$");
  EXPECT_EQ(TempFiles(), std::vector<std::string>());
}

// The line ends of CR LF pairs make one run of the text, as the text-mode
// read gives it: a run of a whole chunk stops the check, one short of it not.
TEST_F(CheckScriptDeathTest, ScriptInMemoryCountsTheTextsLineEnds) {
  std::string belowLimit = "select 1;";
  for (size_t i = 0; i + 1 < kChunk; ++i) belowLimit += "\r\n";
  belowLimit += "x";
  EXPECT_EQ(CheckScriptBytes(belowLimit.data(), belowLimit.size()), kCheckBalanced);
  std::string lineEnds = "select 1;";
  for (size_t i = 0; i < kChunk; ++i) lineEnds += "\r\n";
  EXPECT_EXIT(CheckScriptBytes(lineEnds.data(), lineEnds.size()), ::testing::ExitedWithCode(1),
              "^pclex PInput buffer overflowed\n$");
}

}  // namespace
