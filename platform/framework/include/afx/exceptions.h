// The framework's exceptions. They are thrown as pointers to heap objects
// and the catcher deletes them:
//
//   try { ... } catch (CException* e) { e->Delete(); }
//
// An exception object made on the stack (for example a CFileException handed
// to CFile::Open to receive the error) is not auto-deleted by Delete.
#pragma once

#include <windows.h>
#include <afx/cstring.h>
#include <afx/object.h>

class CException : public CObject {
  DECLARE_DYNAMIC(CException)
 public:
  CException();
  explicit CException(BOOL bAutoDelete);
  ~CException() override;

  // Deletes the object if it was made to be thrown (auto-delete on).
  void Delete();
  // Copies a description of the error into lpszError (at most nMaxError
  // characters with the NUL). FALSE, with an empty text, when there is none.
  virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
  // Shows the description in a message box (or the text of nMessageID when
  // there is none); the result is the box's.
  virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

  BOOL m_bAutoDelete;
};

// The base of exceptions that carry no data of their own.
class CSimpleException : public CException {
  DECLARE_DYNAMIC(CSimpleException)
 public:
  CSimpleException() {}
  explicit CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete) {}
};

class CMemoryException : public CSimpleException {
  DECLARE_DYNAMIC(CMemoryException)
 public:
  CMemoryException() {}
  explicit CMemoryException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
  BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
};

class CNotSupportedException : public CSimpleException {
  DECLARE_DYNAMIC(CNotSupportedException)
 public:
  CNotSupportedException() {}
  explicit CNotSupportedException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
  BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
};

class CInvalidArgException : public CSimpleException {
  DECLARE_DYNAMIC(CInvalidArgException)
 public:
  CInvalidArgException() {}
  explicit CInvalidArgException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
  BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
};

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
 public:
  enum {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  explicit CFileException(int cause = none, LONG lOsError = -1, LPCSTR lpszArchiveName = NULL);

  // The cause that a Windows error code (GetLastError) stands for.
  static int OsErrorToException(LONG lOsError);
  // The cause that a C runtime errno value stands for.
  static int ErrnoToException(int nErrno);
  // Throw a new CFileException for a Windows error code / an errno value.
  [[noreturn]] static void ThrowOsError(LONG lOsError, LPCSTR lpszFileName = NULL);
  [[noreturn]] static void ThrowErrno(int nErrno, LPCSTR lpszFileName = NULL);

  BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

  int m_cause;
  LONG m_lOsError;  // the Windows error code, -1 when none
  CString m_strFileName;
};

class CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)
 public:
  enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema, bufferFull };

  explicit CArchiveException(int cause = none, LPCSTR lpszArchiveName = NULL);

  BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

  int m_cause;
  CString m_strFileName;
};

// Each throws a new exception of its kind (auto-delete on).
[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCSTR lpszFileName = NULL);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName = NULL);
