// CDumpContext: diagnostic text to a CFile or standard error.
#include <afx.h>

#include <stdio.h>
#include <string.h>

CDumpContext afxDump;

CDumpContext::CDumpContext(CFile* pFile) : m_pFile(pFile), m_nDepth(0) {}

void CDumpContext::OutputString(LPCSTR lpsz) {
  if (lpsz == NULL) lpsz = "(null)";
  if (m_pFile != NULL) {
    m_pFile->Write(lpsz, static_cast<UINT>(strlen(lpsz)));
  } else {
    fputs(lpsz, stderr);
  }
}

void CDumpContext::Flush() {
  if (m_pFile != NULL) {
    m_pFile->Flush();
  } else {
    fflush(stderr);
  }
}

CDumpContext& CDumpContext::operator<<(LPCSTR lpsz) {
  OutputString(lpsz);
  return *this;
}

CDumpContext& CDumpContext::operator<<(const CString& string) {
  OutputString(string);
  return *this;
}

CDumpContext& CDumpContext::operator<<(const void* lp) {
  char buffer[32];
  snprintf(buffer, sizeof buffer, "$%p", lp);
  OutputString(buffer);
  return *this;
}

CDumpContext& CDumpContext::operator<<(const CObject* pOb) {
  if (pOb == NULL) {
    OutputString("NULL");
  } else {
    pOb->Dump(*this);
  }
  return *this;
}

CDumpContext& CDumpContext::operator<<(const CObject& obj) { return *this << &obj; }

CDumpContext& CDumpContext::operator<<(int n) { return *this << static_cast<LONGLONG>(n); }

CDumpContext& CDumpContext::operator<<(UINT u) { return *this << static_cast<ULONGLONG>(u); }

CDumpContext& CDumpContext::operator<<(long n) { return *this << static_cast<LONGLONG>(n); }

CDumpContext& CDumpContext::operator<<(unsigned long u) { return *this << static_cast<ULONGLONG>(u); }

CDumpContext& CDumpContext::operator<<(LONGLONG n) {
  char buffer[32];
  snprintf(buffer, sizeof buffer, "%lld", n);
  OutputString(buffer);
  return *this;
}

CDumpContext& CDumpContext::operator<<(ULONGLONG u) {
  char buffer[32];
  snprintf(buffer, sizeof buffer, "%llu", u);
  OutputString(buffer);
  return *this;
}

CDumpContext& CDumpContext::operator<<(double d) {
  char buffer[64];
  snprintf(buffer, sizeof buffer, "%g", d);
  OutputString(buffer);
  return *this;
}
