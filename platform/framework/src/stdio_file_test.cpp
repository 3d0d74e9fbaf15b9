#include <afx.h>

#include <gtest/gtest.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

#include <string>
#include <vector>

namespace {

using testsupport::CrLf;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class StdioFileTest : public testsupport::IsolatedTest {};

std::vector<std::string> ReadLines(LPCSTR name, UINT flags = CFile::modeRead | CFile::typeText) {
  std::vector<std::string> lines;
  CStdioFile file(name, flags);
  CString line;
  while (file.ReadString(line)) lines.push_back(std::string(static_cast<LPCSTR>(line), static_cast<size_t>(line.GetLength())));
  // Reading past the end keeps answering FALSE with an empty line.
  line = "stale";
  EXPECT_FALSE(file.ReadString(line));
  EXPECT_TRUE(line.IsEmpty());
  return lines;
}

TEST_F(StdioFileTest, TextModeWritesCrLfAndReadsLinesWithoutTheirEnd) {
  {
    CStdioFile file("out.txt", CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    file.WriteString("[Main]\n");
    file.WriteString("key=value\n\nlast");
  }
  EXPECT_EQ(std::string("[Main]\r\nkey=value\r\n\r\nlast"), ReadBytes(dir.file("out.txt")));
  std::vector<std::string> expected = {"[Main]", "key=value", "", "last"};
  EXPECT_EQ(expected, ReadLines("out.txt"));
}

TEST_F(StdioFileTest, TextIsTheDefaultAndBinaryKeepsTheBytes) {
  {
    CStdioFile file("default.txt", CFile::modeCreate | CFile::modeWrite);
    file.WriteString("a\n");
  }
  EXPECT_EQ(std::string("a\r\n"), ReadBytes(dir.file("default.txt")));
  {
    CStdioFile file("raw.txt", CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    file.WriteString("a\n");
  }
  EXPECT_EQ(std::string("a\n"), ReadBytes(dir.file("raw.txt")));
  WriteBytes(dir.file("crlf.txt"), "x\r\ny\r\n");
  std::vector<std::string> binary = {"x\r", "y\r"};
  EXPECT_EQ(binary, ReadLines("crlf.txt", CFile::modeRead | CFile::typeBinary));
  std::vector<std::string> text = {"x", "y"};
  EXPECT_EQ(text, ReadLines("crlf.txt"));
}

TEST_F(StdioFileTest, ReadStringHandlesLinesLongerThanAnyBuffer) {
  std::string longLine(100000, 'q');
  longLine[12345] = 'Z';
  WriteBytes(dir.file("long.txt"), "short\r\n" + longLine + "\r\n" + longLine);
  std::vector<std::string> lines = ReadLines("long.txt");
  ASSERT_EQ(3u, lines.size());
  EXPECT_EQ("short", lines[0]);
  EXPECT_EQ(longLine, lines[1]);
  EXPECT_EQ(longLine, lines[2]);  // the last line has no line end
}

TEST_F(StdioFileTest, NulBytesStayInsideTheirLine) {
  // Not "nul.txt": Windows takes NUL, with any extension, for its null device.
  WriteBytes(dir.file("zero.txt"), std::string("a\0b\r\nc\r\n", 8));
  std::vector<std::string> expected = {std::string("a\0b", 3), "c"};
  EXPECT_EQ(expected, ReadLines("zero.txt"));
}

TEST_F(StdioFileTest, ReadStringIntoABufferKeepsTheLineEndAsFgetsDoes) {
  WriteBytes(dir.file("in.txt"), CrLf({"abcdef", "g"}));
  CStdioFile file("in.txt", CFile::modeRead | CFile::typeText);
  char buffer[5];
  EXPECT_STREQ("abcd", file.ReadString(buffer, sizeof buffer));
  EXPECT_STREQ("ef\n", file.ReadString(buffer, sizeof buffer));
  EXPECT_STREQ("g\n", file.ReadString(buffer, sizeof buffer));
  EXPECT_EQ(NULL, file.ReadString(buffer, sizeof buffer));
}

TEST_F(StdioFileTest, CreateWithNoTruncateKeepsTheContentAndReadsFromTheStart) {
  WriteBytes(dir.file("profile.ini"), CrLf({"[A]", "k=v"}));
  CStdioFile file;
  ASSERT_TRUE(file.Open("PROFILE.INI", CFile::modeRead | CFile::modeCreate | CFile::modeNoTruncate |
                                           CFile::shareDenyWrite | CFile::typeText));
  CString line;
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_STREQ("[A]", line);
  file.Close();
  EXPECT_EQ(CrLf({"[A]", "k=v"}), ReadBytes(dir.file("profile.ini")));

  // The same flags create a missing file empty.
  ASSERT_TRUE(file.Open("new.ini", CFile::modeRead | CFile::modeCreate | CFile::modeNoTruncate | CFile::typeText));
  EXPECT_FALSE(file.ReadString(line));
  file.Close();
  EXPECT_EQ(std::string(), ReadBytes(dir.file("new.ini")));
}

TEST_F(StdioFileTest, ReadersThatCreateMissingFilesStillShareWithOtherReaders) {
  const UINT load = CFile::modeRead | CFile::modeCreate | CFile::modeNoTruncate | CFile::shareDenyWrite | CFile::typeText;
  CStdioFile first;
  ASSERT_TRUE(first.Open("shared.ini", load));
  CStdioFile second;
  EXPECT_TRUE(second.Open("shared.ini", load));  // neither holds write access
  CStdioFile writer;
  CFileException error;
  EXPECT_FALSE(writer.Open("shared.ini", CFile::modeCreate | CFile::modeWrite | CFile::typeText, &error));
  EXPECT_EQ(32, error.m_lOsError);
}

TEST_F(StdioFileTest, WritingWithoutCreateAppendsAndNeedsAnExistingFile) {
  CStdioFile file;
  CFileException error;
  EXPECT_FALSE(file.Open("absent.txt", CFile::modeWrite | CFile::typeText, &error));
  EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
  EXPECT_FALSE(testsupport::Exists(dir.file("absent.txt")));

  WriteBytes(dir.file("log.txt"), "one\r\n");
  ASSERT_TRUE(file.Open("log.txt", CFile::modeWrite | CFile::typeText));
  file.WriteString("two\n");
  file.Close();
  EXPECT_EQ(CrLf({"one", "two"}), ReadBytes(dir.file("log.txt")));
}

TEST_F(StdioFileTest, ShareModesApplyToStreamsToo) {
  CStdioFile holder("held.txt", CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeText);
  CStdioFile other;
  CFileException error;
  EXPECT_FALSE(other.Open("held.txt", CFile::modeRead | CFile::shareDenyNone | CFile::typeText, &error));
  EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
  EXPECT_EQ(32, error.m_lOsError);
  CFile plain;
  EXPECT_FALSE(plain.Open("held.txt", CFile::modeRead | CFile::shareDenyNone));
}

TEST_F(StdioFileTest, StreamPositionsAndBinaryReads) {
  WriteBytes(dir.file("b.bin"), "0123456789");
  CStdioFile file("b.bin", CFile::modeRead | CFile::typeBinary);
  EXPECT_EQ(10u, file.GetLength());
  EXPECT_EQ(0u, file.GetPosition());
  EXPECT_EQ(7u, file.Seek(-3, CFile::end));
  char buffer[8] = {0};
  EXPECT_EQ(3u, file.Read(buffer, sizeof buffer));
  EXPECT_STREQ("789", buffer);
  EXPECT_STREQ(CString(dir.winPath("b.bin").c_str()), file.GetFilePath());
  try {
    file.Seek(-1, CFile::begin);
    ADD_FAILURE() << "seek before the start accepted";
  } catch (CFileException* e) {
    EXPECT_EQ(CFileException::badSeek, e->m_cause);
    e->Delete();
  }
}

}  // namespace
