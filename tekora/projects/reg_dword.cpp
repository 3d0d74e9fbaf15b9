// PARegDword: one 32-bit number at a fixed place, kept in memory.
#include <tekora/registry.h>

PARegDword::PARegDword() : m_hRoot(NULL), m_nValue(0), m_bModified(0), m_bWriteOnDestruction(0) {}

PARegDword::PARegDword(HKEY root, LPCSTR subKey, LPCSTR valueName, int defaultValue, int readNow,
                       int writeOnDestruction)
    : m_hRoot(root), m_nValue(defaultValue), m_bModified(0), m_bWriteOnDestruction(writeOnDestruction) {
  try {
    m_strSubKey = subKey;
    m_strValueName = valueName;
  } catch (CException* e) {
    e->Delete();
    m_nLastError = ERROR_NOT_ENOUGH_MEMORY;
    return;
  }
  if (readNow) Read(defaultValue);
}

PARegDword::~PARegDword() {
  if (m_bWriteOnDestruction && m_bModified) Write();
}

int PARegDword::Read(int defaultValue) {
  m_nValue = defaultValue;
  if (!Open(m_hRoot, m_strSubKey, KEY_READ)) return 0;
  unsigned int stored = 0;
  const int result = QueryDword(m_strValueName, stored);
  if (result) m_nValue = static_cast<int>(stored);
  const int queryError = m_nLastError;
  Close();
  m_nLastError = queryError;  // the read's error, not the close's
  return result;
}

int PARegDword::Get() const { return m_nValue; }

PARegDword& PARegDword::Set(int value) {
  m_nValue = value;
  m_bModified = 1;
  return *this;
}

int PARegDword::Write() {
  if (m_hKey == NULL && !Create(m_hRoot, m_strSubKey, NULL, KEY_ALL_ACCESS)) return 0;
  if (!SetDword(m_strValueName, static_cast<unsigned int>(m_nValue))) return 0;
  m_bModified = 0;
  return 1;
}

int PARegDword::IsModified() const { return m_bModified; }
