// CFile: unbuffered binary file access on a Win32 file handle.
//
// Errors throw CFileException (Open alone reports through its result and
// the optional exception object). The open flags have their usual values,
// so they combine with |, e.g. modeCreate | modeWrite | shareDenyWrite.
#pragma once

#include <windows.h>
#include <afx/cstring.h>
#include <afx/datetime.h>
#include <afx/exceptions.h>
#include <afx/object.h>

// What GetStatus reports about a file.
struct CFileStatus {
  CTime m_ctime;         // creation time
  CTime m_mtime;         // last write time
  CTime m_atime;         // last access time
  ULONGLONG m_size;      // size in bytes
  BYTE m_attribute;      // CFile::Attribute bits
  BYTE _m_padding;
  char m_szFullName[MAX_PATH];  // absolute path
};

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
 public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,  // treated as shareExclusive
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,    // CStdioFile only
    typeBinary = 0x8000,  // CStdioFile only
    osNoBuffer = 0x10000,
    osWriteThrough = 0x20000,
    osRandomAccess = 0x40000,
    osSequentialScan = 0x80000,
  };
  enum Attribute { normal = 0x00, readOnly = 0x01, hidden = 0x02, system = 0x04, volume = 0x08, directory = 0x10, archive = 0x20 };
  enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

  // The handle value of a CFile that is not open.
  static const HANDLE hFileNull;

  CFile();
  // Wraps a handle opened elsewhere: the destructor leaves it open, while
  // Close and Abort close it.
  explicit CFile(HANDLE hFile);
  // Opens the file and throws CFileException when that fails.
  CFile(LPCSTR lpszFileName, UINT nOpenFlags);
  // Closes the file if this object opened it (errors are ignored here).
  ~CFile() override;

  HANDLE m_hFile;
  operator HANDLE() const { return m_hFile; }

  // Opens a file with the flags above. Result: TRUE, or FALSE with the
  // cause, the Windows error code and the name filled into *pError when
  // given. The path is remembered in its absolute form (GetFilePath).
  virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

  // Reads up to nCount bytes; result: the number read (0 at the end).
  virtual UINT Read(void* lpBuf, UINT nCount);
  // Writes all nCount bytes (a short write throws diskFull).
  virtual void Write(const void* lpBuf, UINT nCount);
  // Moves the file pointer by lOff from begin, current or end; result: the
  // new position. A position before the start throws badSeek.
  virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  virtual ULONGLONG GetPosition() const;
  virtual ULONGLONG GetLength() const;
  // Cuts or extends the file to dwNewLen bytes; the position moves there.
  virtual void SetLength(ULONGLONG dwNewLen);
  // Writes the file's data through to the disk.
  virtual void Flush();
  // Closes the file; a failure throws, after the object is reset.
  virtual void Close();
  // Closes the file, ignoring every error.
  virtual void Abort();
  // A second CFile on the same open file is not available on every
  // platform: throws CNotSupportedException.
  virtual CFile* Duplicate() const;

  // The absolute path given to Open, its last component, and that without
  // the extension.
  virtual CString GetFilePath() const;
  virtual CString GetFileName() const;
  virtual CString GetFileTitle() const;
  virtual void SetFilePath(LPCSTR lpszNewName);

  // Status of the open file / of a named file; FALSE when it cannot be read.
  virtual BOOL GetStatus(CFileStatus& rStatus) const;
  static BOOL GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus);

  // Rename and delete a file; failures throw CFileException.
  static void Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);
  static void Remove(LPCSTR lpszFileName);

 protected:
  BOOL m_bCloseOnDelete;
  CString m_strFileName;
};
