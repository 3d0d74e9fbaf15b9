// The framework's exception classes, their messages, and the throw helpers.
#include <afxwin.h>

#include <errno.h>
#include <new>
#include <string.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

// Copies text into the caller's buffer, cut to fit; TRUE when there was text.
BOOL CopyMessage(LPCSTR text, LPSTR lpszError, UINT nMaxError) {
  if (lpszError == NULL || nMaxError == 0) return FALSE;
  size_t n = strlen(text);
  if (n > nMaxError - 1) n = nMaxError - 1;
  memcpy(lpszError, text, n);
  lpszError[n] = '\0';
  return TRUE;
}

// Message for a cause, "%1" standing for the file name.
BOOL FormatFileMessage(LPCSTR pattern, const CString& fileName, LPSTR lpszError, UINT nMaxError) {
  CString text(pattern);
  LPCSTR unnamed = text.Find("%1") == 0 ? "An unnamed file" : "an unnamed file";
  text.Replace("%1", fileName.IsEmpty() ? unnamed : static_cast<LPCSTR>(fileName));
  return CopyMessage(text, lpszError, nMaxError);
}

struct ErrorCause {
  LONG lOsError;
  int cause;
};

// Windows error codes and the file exception cause each stands for.
const ErrorCause kOsErrors[] = {
    {2, CFileException::fileNotFound},        // ERROR_FILE_NOT_FOUND
    {3, CFileException::badPath},             // ERROR_PATH_NOT_FOUND
    {4, CFileException::tooManyOpenFiles},    // ERROR_TOO_MANY_OPEN_FILES
    {5, CFileException::accessDenied},        // ERROR_ACCESS_DENIED
    {6, CFileException::fileNotFound},        // ERROR_INVALID_HANDLE
    {11, CFileException::invalidFile},        // ERROR_BAD_FORMAT
    {12, CFileException::accessDenied},       // ERROR_INVALID_ACCESS
    {15, CFileException::badPath},            // ERROR_INVALID_DRIVE
    {16, CFileException::removeCurrentDir},   // ERROR_CURRENT_DIRECTORY
    {17, CFileException::badPath},            // ERROR_NOT_SAME_DEVICE
    {18, CFileException::fileNotFound},       // ERROR_NO_MORE_FILES
    {19, CFileException::accessDenied},       // ERROR_WRITE_PROTECT
    {20, CFileException::hardIO},             // ERROR_BAD_UNIT
    {21, CFileException::hardIO},             // ERROR_NOT_READY
    {22, CFileException::hardIO},             // ERROR_BAD_COMMAND
    {23, CFileException::hardIO},             // ERROR_CRC
    {24, CFileException::badSeek},            // ERROR_BAD_LENGTH
    {25, CFileException::badSeek},            // ERROR_SEEK
    {26, CFileException::invalidFile},        // ERROR_NOT_DOS_DISK
    {27, CFileException::badSeek},            // ERROR_SECTOR_NOT_FOUND
    {29, CFileException::accessDenied},       // ERROR_WRITE_FAULT
    {30, CFileException::badSeek},            // ERROR_READ_FAULT
    {32, CFileException::sharingViolation},   // ERROR_SHARING_VIOLATION
    {33, CFileException::lockViolation},      // ERROR_LOCK_VIOLATION
    {34, CFileException::badSeek},            // ERROR_WRONG_DISK
    {36, CFileException::tooManyOpenFiles},   // ERROR_SHARING_BUFFER_EXCEEDED
    {38, CFileException::endOfFile},          // ERROR_HANDLE_EOF
    {39, CFileException::diskFull},           // ERROR_HANDLE_DISK_FULL
    {53, CFileException::badPath},            // ERROR_BAD_NETPATH
    {65, CFileException::accessDenied},       // ERROR_NETWORK_ACCESS_DENIED
    {67, CFileException::badPath},            // ERROR_BAD_NET_NAME
    {80, CFileException::accessDenied},       // ERROR_FILE_EXISTS
    {82, CFileException::accessDenied},       // ERROR_CANNOT_MAKE
    {108, CFileException::lockViolation},     // ERROR_DRIVE_LOCKED
    {110, CFileException::fileNotFound},      // ERROR_OPEN_FAILED
    {111, CFileException::badPath},           // ERROR_BUFFER_OVERFLOW
    {112, CFileException::diskFull},          // ERROR_DISK_FULL
    {123, CFileException::badPath},           // ERROR_INVALID_NAME
    {131, CFileException::badSeek},           // ERROR_NEGATIVE_SEEK
    {132, CFileException::badSeek},           // ERROR_SEEK_ON_DEVICE
    {145, CFileException::removeCurrentDir},  // ERROR_DIR_NOT_EMPTY
    {161, CFileException::badPath},           // ERROR_BAD_PATHNAME
    {167, CFileException::lockViolation},     // ERROR_LOCK_FAILED
    {170, CFileException::accessDenied},      // ERROR_BUSY
    {183, CFileException::accessDenied},      // ERROR_ALREADY_EXISTS
    {206, CFileException::badPath},           // ERROR_FILENAME_EXCED_RANGE
    {267, CFileException::badPath},           // ERROR_DIRECTORY
};

}  // namespace

// ---------------------------------------------------------------------------
// CException

CException::CException() : m_bAutoDelete(TRUE) {}

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

CException::~CException() {}

void CException::Delete() {
  if (m_bAutoDelete > 0) delete this;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  if (lpszError != NULL && nMaxError > 0) lpszError[0] = '\0';
  return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) {
  char text[512];
  if (GetErrorMessage(text, sizeof text)) return AfxMessageBox(text, nType);
  if (nMessageID != 0) return AfxMessageBox(nMessageID, nType);
  return AfxMessageBox("No error message is available.", nType);
}

BOOL CMemoryException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  return CopyMessage("Out of memory.", lpszError, nMaxError);
}

BOOL CNotSupportedException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  return CopyMessage("An unsupported operation was attempted.", lpszError, nMaxError);
}

BOOL CInvalidArgException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  return CopyMessage("Encountered an improper argument.", lpszError, nMaxError);
}

// ---------------------------------------------------------------------------
// CFileException

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}

int CFileException::OsErrorToException(LONG lOsError) {
  if (lOsError == 0) return none;
  for (const ErrorCause& entry : kOsErrors) {
    if (entry.lOsError == lOsError) return entry.cause;
  }
  return genericException;
}

int CFileException::ErrnoToException(int nErrno) {
  switch (nErrno) {
    case 0:
      return none;
    case EPERM:
    case EACCES:
      return accessDenied;
    case EBADF:
      return invalidFile;
    case EDEADLK:
      return sharingViolation;
    case EMFILE:
      return tooManyOpenFiles;
    case ENOENT:
    case ENFILE:
      return fileNotFound;
    case ENOSPC:
      return diskFull;
    case EINVAL:
    case EIO:
      return hardIO;
    default:
      return genericException;
  }
}

void CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName) {
  AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void CFileException::ThrowErrno(int nErrno, LPCSTR lpszFileName) {
  AfxThrowFileException(ErrnoToException(nErrno), -1, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  static const char* const kMessages[] = {
      "No error occurred.",
      "An unexpected error occurred while accessing %1.",
      "%1 was not found.",
      "%1 contains an incorrect path.",
      "%1 could not be opened because there are too many open files.",
      "Access to %1 was denied.",
      "An incorrect file handle was associated with %1.",
      "%1 could not be removed because it is the current directory.",
      "%1 could not be created because the directory is full.",
      "Seek failed on %1.",
      "A hardware I/O error was reported while accessing %1.",
      "A sharing violation occurred while accessing %1.",
      "A locking violation occurred while accessing %1.",
      "Disk full while accessing %1.",
      "An attempt was made to access %1 past its end.",
  };
  int cause = (m_cause >= 0 && m_cause <= endOfFile) ? m_cause : genericException;
  return FormatFileMessage(kMessages[cause], m_strFileName, lpszError, nMaxError);
}

// ---------------------------------------------------------------------------
// CArchiveException

CArchiveException::CArchiveException(int cause, LPCSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName) {}

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  static const char* const kMessages[] = {
      "No error occurred.",
      "An unexpected error occurred while reading or writing %1.",
      "Tried to write to %1, which is open for reading only.",
      "An attempt was made to read %1 past its end.",
      "Tried to read from %1, which is open for writing only.",
      "%1 has an invalid format.",
      "%1 contains an unexpected object.",
      "%1 contains an incorrect schema.",
      "The archive buffer of %1 is full.",
  };
  int cause = (m_cause >= 0 && m_cause <= bufferFull) ? m_cause : genericException;
  return FormatFileMessage(kMessages[cause], m_strFileName, lpszError, nMaxError);
}

// ---------------------------------------------------------------------------
// Throw helpers

void AfxThrowMemoryException() {
  // With the heap exhausted there may be no room for a new exception object;
  // then one kept for this case is thrown, and Delete leaves it alone.
  static CMemoryException reserve(FALSE);
  CMemoryException* e = new (std::nothrow) CMemoryException;
  throw e != NULL ? e : &reserve;
}

void AfxThrowNotSupportedException() { throw new CNotSupportedException; }

void AfxThrowInvalidArgException() { throw new CInvalidArgException; }

void AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName) {
  throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName) {
  throw new CArchiveException(cause, lpszArchiveName);
}
