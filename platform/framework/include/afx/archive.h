// CArchive: a buffered stream of bytes over a CFile, in one direction: a
// loading archive reads, a storing archive writes. It carries bytes and lines
// (Read, Write, ReadString, WriteString), numbers in little-endian order,
// strings in the framework's CString form (a length prefix, then the
// characters) and objects with their class (WriteObject / ReadObject), each
// object written once and referred to by its number after that, so that
// shared and circular references read back as they were.
//
// Errors throw: CFileException from the file, CArchiveException (readOnly,
// writeOnly) for an operation in the wrong direction or after Close.
#pragma once

#include <windows.h>
#include <afx/cstring.h>
#include <afx/exceptions.h>
#include <afx/file.h>
#include <afx/object.h>

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

  // Numbers, little-endian. A short read throws CArchiveException endOfFile.
  CArchive& operator<<(BYTE by);
  CArchive& operator<<(WORD w);
  CArchive& operator<<(DWORD dw);
  CArchive& operator<<(int i) { return *this << static_cast<DWORD>(i); }
  CArchive& operator>>(BYTE& by);
  CArchive& operator>>(WORD& w);
  CArchive& operator>>(DWORD& dw);
  CArchive& operator>>(int& i);
  // A count (an array's size): a WORD, or 0xFFFF and a DWORD when larger.
  void WriteCount(DWORD_PTR dwCount);
  DWORD_PTR ReadCount();

  // Writes the object (null allowed): the first time its class (name and
  // schema) and then its Serialize, afterwards only a reference to it.
  void WriteObject(const CObject* pOb);
  // Reads what WriteObject wrote: a new object made by its class's factory
  // and filled by Serialize, or the object read before under that
  // reference. With pClassRefRequested, an object of another class throws
  // CArchiveException badClass; unknown classes and damaged tags throw too.
  CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
  // Counts the object as written or read already, so that references to it
  // inside its own Serialize refer back to it. Has no effect on an object
  // counted before; Serialize functions of objects that may refer to
  // themselves call it first.
  void MapObject(const CObject* pOb);

  // Storing: writes the buffer to the file. Loading: nothing.
  void Flush();
  // Flush, then lets go of the file.
  void Close();
  // Lets go of the file without writing anything.
  void Abort();

 private:
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  // Reads exactly nMax bytes or throws endOfFile.
  void ReadExactly(void* lpBuf, UINT nMax);
  void WriteClass(const CRuntimeClass* pClass);
  CRuntimeClass* ReadClass();
  struct AfxArchiveMaps& Maps();

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
  struct AfxArchiveMaps* m_pMaps;  // objects and classes met so far; made on first use
  DWORD m_nLastObjectTag;          // the object reference ReadClass met
};

// The length prefix of a CString in an archive: one byte below 0xFF, else
// 0xFF and a WORD below 0xFFFE, else 0xFF 0xFFFF and a DWORD. Wide text is
// announced by 0xFF 0xFFFE before the length.
void AfxWriteStringLength(CArchive& ar, UINT_PTR nLength, BOOL bUnicode);
// Reads the prefix; nCharSize receives 1 for narrow and 2 for wide text.
UINT_PTR AfxReadStringLength(CArchive& ar, int& nCharSize);

// Strings in the CString form: narrow text when storing; narrow or wide
// (UTF-16, turned into 8-bit text) when loading.
CArchive& operator<<(CArchive& ar, const CString& string);
CArchive& operator>>(CArchive& ar, CString& string);
// Objects: WriteObject and ReadObject(NULL).
inline CArchive& operator<<(CArchive& ar, const CObject* pOb) {
  ar.WriteObject(pOb);
  return ar;
}
inline CArchive& operator>>(CArchive& ar, CObject*& pOb) {
  pOb = ar.ReadObject(NULL);
  return ar;
}
