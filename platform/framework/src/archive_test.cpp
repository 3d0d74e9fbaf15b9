// CArchive: lines and bytes through a buffer over a CFile.
#include <afx.h>

#include <string>

#include <gtest/gtest.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

class ArchiveTest : public testsupport::IsolatedTest {
 protected:
  // Every line ReadString(CString&) gives for the bytes, joined with "|".
  std::string Lines(const std::string& bytes, int bufSize = 4096) {
    WriteBytes(dir.file("in.txt"), bytes);
    CFile file("in.txt", CFile::modeRead);
    CArchive ar(&file, CArchive::load, bufSize);
    std::string result;
    CString line;
    while (ar.ReadString(line)) result += std::string(line, line.GetLength()) + "|";
    return result;
  }
};

TEST_F(ArchiveTest, ReadStringEndsLinesAtLfCrLfAndCr) {
  EXPECT_EQ("a|b|c|d|", Lines("a\r\nb\nc\rd"));
  EXPECT_EQ("|x|", Lines("\r\nx\n"));
  EXPECT_EQ("", Lines(""));
  EXPECT_EQ(std::string("n\0l|", 4), Lines(std::string("n\0l\n", 4)));
  // A CR LF split by the end of the buffer is still one line end.
  std::string longLine(127, 'x');
  EXPECT_EQ(longLine + "|y|", Lines(longLine + "\r\ny", 128));
  std::string huge(1 << 20, 'h');
  EXPECT_EQ(huge + "|", Lines(huge + "\r\n", 128));
}

TEST_F(ArchiveTest, ReadStringIntoABufferGoesOnWithLongLines) {
  WriteBytes(dir.file("in.txt"), "abcdef\r\ng");
  CFile file("in.txt", CFile::modeRead);
  CArchive ar(&file, CArchive::load);
  char buffer[5];
  ASSERT_NE(nullptr, ar.ReadString(buffer, 4));
  EXPECT_STREQ("abcd", buffer);
  ASSERT_NE(nullptr, ar.ReadString(buffer, 4));
  EXPECT_STREQ("ef", buffer);
  ASSERT_NE(nullptr, ar.ReadString(buffer, 4));
  EXPECT_STREQ("g", buffer);
  EXPECT_EQ(nullptr, ar.ReadString(buffer, 4));
}

TEST_F(ArchiveTest, StoringWritesEverythingOnCloseOrDestruction) {
  {
    CFile file("out.txt", CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store, 128);
    ar.WriteString("[S]\r\n");
    std::string big(1000, 'b');
    ar.Write(big.data(), static_cast<UINT>(big.size()));
    ar.WriteString("\r\nend");
    ar.Close();
    EXPECT_EQ(nullptr, ar.GetFile());
    file.Close();
    EXPECT_EQ("[S]\r\n" + big + "\r\nend", ReadBytes(dir.file("out.txt")));
  }
  {
    CFile file("out2.txt", CFile::modeCreate | CFile::modeWrite);
    {
      CArchive ar(&file, CArchive::store);
      ar.WriteString("kept");
    }
    file.Close();
    EXPECT_EQ("kept", ReadBytes(dir.file("out2.txt")));
  }
}

TEST_F(ArchiveTest, ReadWriteRoundTripAndWrongDirection) {
  std::string bytes;
  for (int i = 0; i < 10000; ++i) bytes += static_cast<char>(i * 7);
  WriteBytes(dir.file("in.bin"), bytes);
  CFile file("in.bin", CFile::modeRead);
  CArchive ar(&file, CArchive::load, 256);
  std::string back(bytes.size() + 10, '\0');
  EXPECT_EQ(10u, ar.Read(&back[0], 10));
  EXPECT_EQ(bytes.size() - 10, ar.Read(&back[10], static_cast<UINT>(back.size() - 10)));
  back.resize(bytes.size());
  EXPECT_EQ(bytes, back);

  int cause = -1;
  try {
    ar.WriteString("x");
  } catch (CException* e) {
    if (e->IsKindOf(RUNTIME_CLASS(CArchiveException))) cause = static_cast<CArchiveException*>(e)->m_cause;
    e->Delete();
  }
  EXPECT_EQ(CArchiveException::readOnly, cause);
}

}  // namespace
