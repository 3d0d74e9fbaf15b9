// PARegString: one string value at a fixed place, kept in memory.
#include <tekora/registry.h>

PARegString::PARegString() : m_hRoot(NULL), m_bModified(0), m_bWriteOnDestruction(0) {}

PARegString::PARegString(HKEY root, LPCSTR subKey, LPCSTR valueName, LPCSTR defaultText, int readNow,
                         int writeOnDestruction)
    : m_hRoot(root), m_bModified(0), m_bWriteOnDestruction(writeOnDestruction) {
  try {
    m_strSubKey = subKey;
    m_strValueName = valueName;
    m_strValue = defaultText;
  } catch (CException* e) {
    e->Delete();
    m_nLastError = ERROR_NOT_ENOUGH_MEMORY;
    return;
  }
  if (readNow) Read(defaultText);
}

PARegString::~PARegString() {
  if (m_bWriteOnDestruction && m_bModified) Write();
}

int PARegString::Read(LPCSTR defaultText) {
  try {
    m_strValue = defaultText;
    if (!Open(m_hRoot, m_strSubKey, KEY_READ)) return 0;
    CString stored;
    const int result = QueryString(m_strValueName, stored);
    if (result) m_strValue = stored;
    const int queryError = m_nLastError;
    Close();
    m_nLastError = queryError;  // the read's error, not the close's
    return result;
  } catch (CException* e) {
    e->Delete();
    m_nLastError = ERROR_NOT_ENOUGH_MEMORY;
    return 0;
  }
}

const CString& PARegString::Get() const { return m_strValue; }

PARegString& PARegString::Set(LPCSTR text) {
  try {
    m_strValue = text;
    m_bModified = 1;
  } catch (CException* e) {
    e->Delete();
    m_nLastError = ERROR_NOT_ENOUGH_MEMORY;
  }
  return *this;
}

int PARegString::OpenForWriting() {
  return m_hKey != NULL || Create(m_hRoot, m_strSubKey, NULL, KEY_ALL_ACCESS);
}

int PARegString::Write() {
  if (!OpenForWriting() || !SetString(m_strValueName, m_strValue)) return 0;
  m_bModified = 0;
  return 1;
}

int PARegString::Delete() {
  if (!OpenForWriting() || !DeleteValue(m_strValueName)) return 0;
  m_bModified = 0;
  return 1;
}

int PARegString::IsModified() const { return m_bModified; }
