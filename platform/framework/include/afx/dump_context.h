// CDumpContext: a small diagnostic text sink for CObject::Dump. It writes to
// a CFile when it has one, else to standard error.
#pragma once

#include <windows.h>

class CFile;
class CObject;
class CString;

class CDumpContext {
 public:
  explicit CDumpContext(CFile* pFile = NULL);

  // Each writes its argument as text and returns the context.
  CDumpContext& operator<<(LPCSTR lpsz);
  CDumpContext& operator<<(const CString& string);
  CDumpContext& operator<<(const void* lp);
  CDumpContext& operator<<(const CObject* pOb);
  CDumpContext& operator<<(const CObject& obj);
  CDumpContext& operator<<(int n);
  CDumpContext& operator<<(UINT u);
  CDumpContext& operator<<(long n);
  CDumpContext& operator<<(unsigned long u);
  CDumpContext& operator<<(LONGLONG n);
  CDumpContext& operator<<(ULONGLONG u);
  CDumpContext& operator<<(double d);

  // The depth of Dump calls for nested objects (informational).
  int GetDepth() const { return m_nDepth; }
  void SetDepth(int nNewDepth) { m_nDepth = nNewDepth; }
  // Writes buffered text to the file or stream.
  void Flush();

 private:
  void OutputString(LPCSTR lpsz);
  CFile* m_pFile;
  int m_nDepth;
};

// The framework's diagnostic sink on standard error.
extern CDumpContext afxDump;
