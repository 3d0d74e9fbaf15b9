// CArchive: buffered reading and writing of bytes and lines over a CFile.
#include <afx.h>

#include <string.h>

namespace {

const UINT kMinBufSize = 128;

}  // namespace

// Frees what the object serialisation kept (archive_objects.cpp).
void FreeObjectMaps(AfxArchiveMaps* maps);

namespace {

}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pFile(pFile), m_nMode(nMode), m_bUserBuf(lpBuf != NULL), m_pMaps(NULL), m_nLastObjectTag(0) {
  if (pFile == NULL) AfxThrowInvalidArgException();
  m_nBufSize = nBufSize < static_cast<int>(kMinBufSize) ? kMinBufSize : static_cast<UINT>(nBufSize);
  if (m_bUserBuf && nBufSize < static_cast<int>(kMinBufSize)) m_bUserBuf = false;  // too small to use
  m_lpBufStart = m_bUserBuf ? static_cast<BYTE*>(lpBuf) : new BYTE[m_nBufSize];
  m_lpBufCur = m_lpBufStart;
  m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive() {
  if (m_pFile != NULL && IsStoring() && !(m_nMode & bNoFlushOnDelete)) {
    try {
      Flush();
    } catch (CException* e) {
      e->Delete();
    }
  }
  m_pFile = NULL;
  if (!m_bUserBuf) delete[] m_lpBufStart;
  FreeObjectMaps(m_pMaps);
}

void CArchive::CheckLoading() const {
  if (m_pFile == NULL || !IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly);
}

void CArchive::CheckStoring() const {
  if (m_pFile == NULL || !IsStoring()) AfxThrowArchiveException(CArchiveException::readOnly);
}

bool CArchive::FillBuffer() {
  UINT nRead = m_pFile->Read(m_lpBufStart, m_nBufSize);
  m_lpBufCur = m_lpBufStart;
  m_lpBufMax = m_lpBufStart + nRead;
  return nRead > 0;
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  CheckLoading();
  if (nMax == 0) return 0;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  BYTE* out = static_cast<BYTE*>(lpBuf);
  UINT nDone = 0;
  while (nDone < nMax) {
    if (m_lpBufCur == m_lpBufMax) {
      // Large reads go straight into the caller's memory.
      if (nMax - nDone >= m_nBufSize) {
        UINT nRead = m_pFile->Read(out + nDone, nMax - nDone);
        nDone += nRead;
        if (nRead == 0) break;
        continue;
      }
      if (!FillBuffer()) break;
    }
    UINT nPiece = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (nPiece > nMax - nDone) nPiece = nMax - nDone;
    memcpy(out + nDone, m_lpBufCur, nPiece);
    m_lpBufCur += nPiece;
    nDone += nPiece;
  }
  return nDone;
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  CheckStoring();
  if (nMax == 0) return;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  const BYTE* in = static_cast<const BYTE*>(lpBuf);
  UINT nFree = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
  if (nMax <= nFree) {
    memcpy(m_lpBufCur, in, nMax);
    m_lpBufCur += nMax;
    return;
  }
  Flush();
  if (nMax >= m_nBufSize) {
    m_pFile->Write(in, nMax);
  } else {
    memcpy(m_lpBufCur, in, nMax);
    m_lpBufCur += nMax;
  }
}

BOOL CArchive::ReadString(CString& rString) {
  CheckLoading();
  rString.Empty();
  bool bAny = false;
  for (;;) {
    if (m_lpBufCur == m_lpBufMax && !FillBuffer()) return bAny ? TRUE : FALSE;
    bAny = true;
    BYTE* p = m_lpBufCur;
    while (p < m_lpBufMax && *p != '\n' && *p != '\r') ++p;
    rString.Append(reinterpret_cast<LPCSTR>(m_lpBufCur), static_cast<int>(p - m_lpBufCur));
    m_lpBufCur = p;
    if (p == m_lpBufMax) continue;
    const BYTE end = *m_lpBufCur++;
    if (end == '\r') {
      // "\r\n" is one line end, also when the buffer ends between the two.
      if (m_lpBufCur == m_lpBufMax) FillBuffer();
      if (m_lpBufCur < m_lpBufMax && *m_lpBufCur == '\n') ++m_lpBufCur;
    }
    return TRUE;
  }
}

LPSTR CArchive::ReadString(LPSTR lpsz, UINT nMax) {
  CheckLoading();
  if (lpsz == NULL) AfxThrowInvalidArgException();
  lpsz[0] = '\0';
  if (nMax == 0) return lpsz;
  UINT nRead = 0;
  bool bAny = false;
  while (nRead < nMax) {
    if (m_lpBufCur == m_lpBufMax && !FillBuffer()) break;
    bAny = true;
    const BYTE ch = *m_lpBufCur++;
    if (ch == '\n') break;
    if (ch == '\r') {
      if (m_lpBufCur == m_lpBufMax) FillBuffer();
      if (m_lpBufCur < m_lpBufMax && *m_lpBufCur == '\n') ++m_lpBufCur;
      break;
    }
    lpsz[nRead++] = static_cast<char>(ch);
  }
  lpsz[nRead] = '\0';
  return bAny ? lpsz : NULL;
}

void CArchive::WriteString(LPCSTR lpsz) {
  if (lpsz == NULL) return;
  Write(lpsz, static_cast<UINT>(strlen(lpsz)));
}

void CArchive::Flush() {
  if (m_pFile == NULL || IsLoading()) return;
  UINT nPending = static_cast<UINT>(m_lpBufCur - m_lpBufStart);
  // The buffer is emptied first, so that a failed write is not repeated by
  // the destructor.
  m_lpBufCur = m_lpBufStart;
  if (nPending > 0) m_pFile->Write(m_lpBufStart, nPending);
}

void CArchive::Close() {
  Flush();
  m_pFile = NULL;
}

void CArchive::Abort() { m_pFile = NULL; }
