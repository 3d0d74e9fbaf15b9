// The script copy against the plain way (both files in text mode, the text
// read and written through the runtime's translation), on generated scripts.
#include "script_copy.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "testsupport/files.h"
#include "testsupport/temp_dir.h"

namespace {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

// Text with CR, LF, CR LF, CR CR LF, zero bytes and 0x1A at random places;
// long stretches put CRs and LFs on block boundaries.
std::string GeneratedScript(unsigned seed, size_t size) {
  std::mt19937 random(seed);
  const char* const pieces[] = {"a", "select", " ", "\r", "\n", "\r\n", "\r\r\n", "\n\r", "",  // a zero byte, below
                                "/*", "*/"};
  std::string text;
  while (text.size() < size) {
    const unsigned pick = random() % 12;
    if (pick == 8)
      text += '\0';
    else if (pick == 11)
      text += std::string(random() % 70000, 'x');
    else
      text += pieces[pick];
  }
  text.resize(size);
  return text;
}

// The three ways of appending a script.
enum class Way { kPlain, kBlocks, kInMemory };

class ScriptCopyTest : public testsupport::IsolatedTest {
 protected:
  // The new script after `scripts` are appended one way: the plain way
  // (both files text, through the runtime's translation), the copy's blocks
  // or the copy of the bytes in memory.
  std::string Merged(const std::vector<std::string>& scripts, Way way) {
    const bool plain = way == Way::kPlain;
    const UINT type = plain ? static_cast<UINT>(CFile::typeText) : kScriptCopyType;
    const std::string target = dir.file(plain ? "plain.sql" : "copy.sql");
    CStdioFile newScript;
    EXPECT_TRUE(newScript.Open(target.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | type));
    for (const std::string& text : scripts) {
      if (way == Way::kInMemory) {
        AppendScriptBytes(text.data(), text.size(), newScript);
        continue;
      }
      WriteBytes(dir.file("s.sql"), text);
      CStdioFile script;
      EXPECT_TRUE(script.Open(dir.file("s.sql").c_str(), CFile::modeRead | CFile::shareDenyWrite | type));
      if (plain) {
        char buffer[65536];
        char last = '\n';
        UINT count;
        while ((count = script.Read(buffer, sizeof buffer)) > 0) {
          newScript.Write(buffer, count);
          last = buffer[count - 1];
        }
        if (last != '\n') newScript.WriteString("\n");
        newScript.WriteString("\n");
      } else {
        AppendScript(script, newScript);
      }
      script.Close();
    }
    newScript.Close();
    return ReadBytes(target);
  }
};

TEST_F(ScriptCopyTest, WritesWhatTheTextModeCopyWrites) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    std::vector<std::string> scripts = {GeneratedScript(seed, 700000), GeneratedScript(seed + 100, 1000),
                                        "", "\r", "\n", "last\n", "end\r\n\r", "\n\nx"};
    const std::string plain = Merged(scripts, Way::kPlain);
    EXPECT_TRUE(plain == Merged(scripts, Way::kBlocks)) << "seed " << seed;
    if (kScriptCopyType == CFile::typeBinary) {
      EXPECT_TRUE(plain == Merged(scripts, Way::kInMemory)) << "seed " << seed;
    }
  }
}

TEST_F(ScriptCopyTest, CarriageReturnsAddedAcrossBlockBoundaries) {
  const std::string text = "a\nb\r\nc\r\r\n\n\r\rd\n";
  const std::string expected = "a\r\nb\r\nc\r\r\n\r\n\r\rd\r\n";
  for (size_t cut = 0; cut <= text.size(); ++cut) {
    CStdioFile out;
    ASSERT_TRUE(out.Open(dir.file("out.sql").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
    char previous = '\0';
    WriteWithCarriageReturns(text.data(), cut, &previous, out);
    WriteWithCarriageReturns(text.data() + cut, text.size() - cut, &previous, out);
    out.Close();
    EXPECT_EQ(expected, ReadBytes(dir.file("out.sql"))) << "cut at " << cut;
  }
}

}  // namespace
