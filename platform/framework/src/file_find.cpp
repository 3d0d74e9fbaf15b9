// CFileFind on FindFirstFileA / FindNextFileA.
#include <afx.h>

#include <string.h>

IMPLEMENT_DYNAMIC(CFileFind, CObject)

CFileFind::CFileFind() : m_hContext(NULL), m_bHaveFound(false) {
  memset(&m_found, 0, sizeof m_found);
  memset(&m_next, 0, sizeof m_next);
}

CFileFind::~CFileFind() { Close(); }

void CFileFind::Close() {
  if (m_hContext != NULL && m_hContext != INVALID_HANDLE_VALUE) FindClose(m_hContext);
  m_hContext = NULL;
  m_bHaveFound = false;
  m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCSTR pstrName, DWORD) {
  Close();
  if (pstrName == NULL) pstrName = "*.*";
  if (strlen(pstrName) >= MAX_PATH) {
    SetLastError(ERROR_INVALID_NAME);
    return FALSE;
  }

  HANDLE hContext = FindFirstFileA(pstrName, &m_next);
  if (hContext == INVALID_HANDLE_VALUE) {
    DWORD dwError = GetLastError();
    Close();
    SetLastError(dwError);
    return FALSE;
  }
  m_hContext = hContext;

  // The root is the absolute folder of the pattern: its full path up to the
  // last separator.
  char root[MAX_PATH];
  if (_fullpath(root, pstrName, sizeof root) == NULL) {
    Close();
    SetLastError(ERROR_INVALID_NAME);
    return FALSE;
  }
  char* pBack = strrchr(root, '\\');
  char* pFront = strrchr(root, '/');
  char* pCut = pBack > pFront ? pBack : pFront;
  if (pCut != NULL) *pCut = '\0';
  m_strRoot = root;
  return TRUE;
}

BOOL CFileFind::FindNextFile() {
  if (m_hContext == NULL) return FALSE;
  m_found = m_next;
  m_bHaveFound = true;
  return ::FindNextFileA(m_hContext, &m_next);
}

CString CFileFind::GetFileName() const { return m_bHaveFound ? CString(m_found.cFileName) : CString(); }

CString CFileFind::GetFilePath() const {
  if (!m_bHaveFound) return CString();
  CString path = m_strRoot;
  int nLength = path.GetLength();
  if (nLength == 0 || (path[nLength - 1] != '\\' && path[nLength - 1] != '/')) path += '\\';
  path += m_found.cFileName;
  return path;
}

CString CFileFind::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot >= 0 ? name.Left(dot) : name;
}

CString CFileFind::GetRoot() const { return m_strRoot; }

ULONGLONG CFileFind::GetLength() const {
  if (!m_bHaveFound) return 0;
  return (static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32) | m_found.nFileSizeLow;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const {
  if (!m_bHaveFound || pTimeStamp == NULL) return FALSE;
  *pTimeStamp = m_found.ftLastWriteTime;
  return TRUE;
}

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const {
  if (!m_bHaveFound) return FALSE;
  refTime = CTime(m_found.ftLastWriteTime);
  return TRUE;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const {
  return m_bHaveFound && (m_found.dwFileAttributes & dwMask) != 0 ? TRUE : FALSE;
}

BOOL CFileFind::IsDots() const {
  if (!IsDirectory()) return FALSE;
  const char* name = m_found.cFileName;
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')) ? TRUE : FALSE;
}
