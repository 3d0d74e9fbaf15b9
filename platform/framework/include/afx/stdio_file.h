// CStdioFile: a CFile on a buffered C runtime stream, with line-by-line
// text access. typeText (the default) opens the stream in text mode, so
// that a line end in memory is CR LF on disk; typeBinary opens it as is.
// Errors throw CFileException, as for CFile.
#pragma once

#include <stdio.h>
#include <afx/file.h>

class CStdioFile : public CFile {
  DECLARE_DYNAMIC(CStdioFile)
 public:
  CStdioFile();
  // Wraps a stream opened elsewhere; the destructor leaves it open, Close
  // closes it.
  explicit CStdioFile(FILE* pOpenStream);
  // Opens the file and throws CFileException when that fails.
  CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags);
  ~CStdioFile() override;

  // The stream; NULL while closed. (m_hFile stays hFileNull: the stream is
  // the file's only handle here.)
  FILE* m_pStream;

  // Opens through _fsopen with the mode string that matches the flags
  // ("r", "w", "a" with "+" as needed, then "t" or "b") and the share flag
  // that matches the share mode. Opening for writing without modeCreate
  // appends to an existing file and fails when there is none.
  BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;

  // Writes a string as it is (in text mode "\n" becomes CR LF on disk).
  virtual void WriteString(LPCSTR lpsz);
  // Reads one line of any length into rString without its "\n". Result:
  // FALSE at the end of the file (rString empty), TRUE otherwise, also for
  // an empty line and for a last line without a line end.
  virtual BOOL ReadString(CString& rString);
  // Reads at most nMax - 1 characters of a line into lpsz, keeping the
  // "\n" (as fgets does). Result: lpsz, or NULL at the end of the file.
  virtual LPSTR ReadString(LPSTR lpsz, UINT nMax);

  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
  ULONGLONG GetPosition() const override;
  ULONGLONG GetLength() const override;
  void SetLength(ULONGLONG dwNewLen) override;  // not available on a stream: throws CNotSupportedException
  void Flush() override;
  void Close() override;
  void Abort() override;
  CFile* Duplicate() const override;  // throws CNotSupportedException
  BOOL GetStatus(CFileStatus& rStatus) const override;
};
