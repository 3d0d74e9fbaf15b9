// CArchive: a buffered stream of bytes over a CFile, in one direction: a
// loading archive reads, a storing archive writes. Only the byte and line
// operations are offered here (Read, Write, ReadString, WriteString); there
// is no object serialisation.
//
// Errors throw: CFileException from the file, CArchiveException (readOnly,
// writeOnly) for an operation in the wrong direction or after Close.
#pragma once

#include <windows.h>
#include <afx/cstring.h>
#include <afx/exceptions.h>
#include <afx/file.h>

class CArchive {
 public:
  enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

  // An archive on an open file. nBufSize is the size of the buffer (at
  // least 128 bytes are used); lpBuf, when given, is the caller's buffer of
  // that size, else the archive allocates its own. The file stays the
  // caller's: Close and the destructor never close it.
  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
  // Writes what a storing archive still holds (unless bNoFlushOnDelete was
  // given; errors are ignored here), then lets go of the file.
  ~CArchive();

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  // The file, or NULL after Close / Abort.
  CFile* GetFile() const { return m_pFile; }

  // Reads up to nMax bytes; result: the number read (less only at the end).
  UINT Read(void* lpBuf, UINT nMax);
  // Writes nMax bytes.
  void Write(const void* lpBuf, UINT nMax);

  // Reads one line into rString without its line end: "\n", "\r\n" or a
  // "\r" alone each end a line; NUL bytes are kept. FALSE at the end of the
  // file with nothing read (rString empty), else TRUE, also for a last line
  // without a line end.
  BOOL ReadString(CString& rString);
  // Reads at most nMax characters of one line into lpsz (which holds
  // nMax + 1 bytes), without the line end, and a terminating NUL; a longer
  // line goes on at the next call. NULL at the end of the file.
  LPSTR ReadString(LPSTR lpsz, UINT nMax);
  // Writes the text as it is, without a terminator or a line end.
  void WriteString(LPCSTR lpsz);

  // Storing: writes the buffer to the file. Loading: nothing.
  void Flush();
  // Flush, then lets go of the file.
  void Close();
  // Lets go of the file without writing anything.
  void Abort();

 private:
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  // Loading: refills the buffer; false at the end of the file.
  bool FillBuffer();
  void CheckLoading() const;
  void CheckStoring() const;

  CFile* m_pFile;
  UINT m_nMode;
  BYTE* m_lpBufStart;
  BYTE* m_lpBufCur;   // loading: next byte to hand out; storing: next free byte
  BYTE* m_lpBufMax;   // loading: end of the bytes read; storing: end of the buffer
  UINT m_nBufSize;
  bool m_bUserBuf;
};
