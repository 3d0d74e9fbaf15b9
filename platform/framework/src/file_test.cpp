#include <afx.h>

#include <gtest/gtest.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::Exists;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class FileTest : public testsupport::IsolatedTest {};

// The cause and OS error of the CFileException that f throws; cause -1
// when it throws none.
template <class F>
std::pair<int, LONG> FileError(F f) {
  try {
    f();
  } catch (CException* e) {
    std::pair<int, LONG> result(-2, 0);
    if (e->IsKindOf(RUNTIME_CLASS(CFileException))) {
      CFileException* fe = static_cast<CFileException*>(e);
      result = std::make_pair(fe->m_cause, fe->m_lOsError);
    }
    e->Delete();
    return result;
  }
  return std::make_pair(-1, 0);
}

TEST_F(FileTest, WriteSeekReadAndLengthWorkOnBinaryData) {
  CFile file;
  ASSERT_TRUE(file.Open("data.bin", CFile::modeCreate | CFile::modeReadWrite));
  const char bytes[] = "line\r\nnext\nend\0tail";
  file.Write(bytes, sizeof bytes - 1);
  EXPECT_EQ(sizeof bytes - 1, file.GetLength());
  EXPECT_EQ(sizeof bytes - 1, file.GetPosition());
  EXPECT_EQ(6u, file.Seek(6, CFile::begin));
  char buffer[8] = {0};
  EXPECT_EQ(4u, file.Read(buffer, 4));
  EXPECT_STREQ("next", buffer);
  EXPECT_EQ(8u, file.Seek(-2, CFile::current));
  file.SeekToBegin();
  EXPECT_EQ(sizeof bytes - 1, file.SeekToEnd());
  EXPECT_EQ(0u, file.Read(buffer, sizeof buffer));  // at the end
  file.SetLength(4);
  EXPECT_EQ(4u, file.GetLength());
  file.Close();
  EXPECT_EQ(CFile::hFileNull, file.m_hFile);
  EXPECT_EQ(std::string("line"), ReadBytes(dir.file("data.bin")));
}

TEST_F(FileTest, OpenRemembersTheAbsolutePath) {
  CFile file("Report.Final.txt", CFile::modeCreate | CFile::modeWrite);
  EXPECT_STREQ(CString(dir.winPath("Report.Final.txt").c_str()), file.GetFilePath());
  EXPECT_STREQ("Report.Final.txt", file.GetFileName());
  EXPECT_STREQ("Report.Final", file.GetFileTitle());
  CFileStatus status;
  file.Write("12345", 5);
  ASSERT_TRUE(file.GetStatus(status));
  EXPECT_EQ(5u, status.m_size);
  EXPECT_STREQ(dir.winPath("Report.Final.txt").c_str(), status.m_szFullName);
  EXPECT_FALSE(CFile::GetStatus("missing.txt", status));
}

TEST_F(FileTest, FailedOpenReportsCauseAndSystemError) {
  CFile file;
  CFileException error;
  EXPECT_FALSE(file.Open("missing.txt", CFile::modeRead, &error));
  EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, error.m_lOsError);
  EXPECT_STREQ("missing.txt", error.m_strFileName);
  EXPECT_FALSE(file.Open("no-folder\\x.txt", CFile::modeCreate | CFile::modeWrite, &error));
  EXPECT_EQ(CFileException::badPath, error.m_cause);
  EXPECT_FALSE(file.Open("missing.txt", CFile::modeRead));  // no exception object: only the result

  auto thrown = FileError([] { CFile throwing("missing.txt", CFile::modeRead); });
  EXPECT_EQ(CFileException::fileNotFound, thrown.first);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, thrown.second);
}

TEST_F(FileTest, ShareExclusiveRefusesEveryOtherOpen) {
  CFile first("shared.txt", CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
  CFile second;
  CFileException error;
  EXPECT_FALSE(second.Open("shared.txt", CFile::modeRead | CFile::shareDenyNone, &error));
  EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
  EXPECT_EQ(32, error.m_lOsError);
  auto thrown = FileError([] { CFile third("SHARED.TXT", CFile::modeRead | CFile::shareDenyNone); });
  EXPECT_EQ(CFileException::sharingViolation, thrown.first);
  EXPECT_EQ(32, thrown.second);
  first.Close();
  EXPECT_TRUE(second.Open("shared.txt", CFile::modeRead | CFile::shareDenyNone));
}

TEST_F(FileTest, ShareDenyWriteLetsReadersInAndKeepsWritersOut) {
  WriteBytes(dir.file("ini.txt"), "[a]\r\n");
  CFile holder("ini.txt", CFile::modeRead | CFile::shareDenyWrite);
  CFile reader;
  EXPECT_TRUE(reader.Open("ini.txt", CFile::modeRead | CFile::shareDenyNone));
  CFile writer;
  CFileException error;
  EXPECT_FALSE(writer.Open("ini.txt", CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone, &error));
  EXPECT_EQ(32, error.m_lOsError);
  // The refused open must not have truncated the file.
  EXPECT_EQ(std::string("[a]\r\n"), ReadBytes(dir.file("ini.txt")));
}

TEST_F(FileTest, CreateTruncatesUnlessNoTruncateIsGiven) {
  WriteBytes(dir.file("keep.txt"), "old content");
  {
    CFile file("keep.txt", CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
    EXPECT_EQ(11u, file.GetLength());
  }
  EXPECT_EQ(std::string("old content"), ReadBytes(dir.file("keep.txt")));
  {
    CFile file("keep.txt", CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(0u, file.GetLength());
  }
  EXPECT_EQ(std::string(), ReadBytes(dir.file("keep.txt")));
}

TEST_F(FileTest, RemoveAndRenameThrowOnFailure) {
  WriteBytes(dir.file("a.txt"), "a");
  CFile::Rename("a.txt", "b.txt");
  EXPECT_FALSE(Exists(dir.file("a.txt")));
  EXPECT_TRUE(Exists(dir.file("b.txt")));
  EXPECT_EQ(CFileException::fileNotFound, FileError([] { CFile::Rename("a.txt", "c.txt"); }).first);
  WriteBytes(dir.file("c.txt"), "c");
  EXPECT_EQ(CFileException::accessDenied, FileError([] { CFile::Rename("b.txt", "c.txt"); }).first);
  CFile::Remove("B.TXT");
  EXPECT_FALSE(Exists(dir.file("b.txt")));
  auto removed = FileError([] { CFile::Remove("b.txt"); });
  EXPECT_EQ(CFileException::fileNotFound, removed.first);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, removed.second);
}

TEST_F(FileTest, ReadOnAClosedFileThrowsInsteadOfCrashing) {
  CFile file;
  char buffer[4];
  EXPECT_EQ(CFileException::fileNotFound, FileError([&] { file.Read(buffer, sizeof buffer); }).first);
}

}  // namespace
