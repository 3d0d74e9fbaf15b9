// PAObject and PAConfigObject: the address of a configuration item (file,
// section, key) and its do-not-store flag.
#include <tekora/config_items.h>
#include <tekora/profiles.h>
#include <tekora/system.h>

IMPLEMENT_SERIAL(PAObject, CObject, VERSIONABLE_SCHEMA | 0x70)
IMPLEMENT_SERIAL(PAConfigObject, PAObject, VERSIONABLE_SCHEMA | 0x70)

CRuntimeClass* PAGetObjectClass(void) { return RUNTIME_CLASS(CObject); }

PAObject::PAObject(LPCSTR file) : m_bDoNotStore(0) { SetFile(file); }

PAObject::~PAObject() {}

CRuntimeClass* PAObject::GetThisClass() { return RUNTIME_CLASS(PAObject); }

int PAObject::SetFile(LPCSTR file) {
  if (file != NULL) m_strFile.Assign(file);
  return HasFile();
}

int PAObject::HasFile() const { return m_strFile.IsEmpty() ? 0 : 1; }

int PAObject::Flush() { return PAWritePrivateProfileString(NULL, NULL, NULL, m_strFile); }

LPCSTR PAObject::GetFile() const { return m_strFile; }

int PAObject::GetDoNotStore() const { return m_bDoNotStore; }

void PAObject::SetDoNotStore(int doNotStore) { m_bDoNotStore = doNotStore; }

PAConfigObject::PAConfigObject(LPCSTR file, LPCSTR section, LPCSTR key) : PAObject(NULL) {
  Init(file, section, key);
}

PAConfigObject::~PAConfigObject() {}

CRuntimeClass* PAConfigObject::GetThisClass() { return RUNTIME_CLASS(PAConfigObject); }

CRuntimeClass* PAConfigObject::GetBaseClass() { return RUNTIME_CLASS(PAObject); }

int PAConfigObject::Init(LPCSTR file, LPCSTR section, LPCSTR key) {
  if (!SetFile(file)) return 0;
  if (section != NULL) m_strSection.Assign(section);
  if (key != NULL) m_strKey.Assign(key);
  return IsComplete(0);
}

int PAConfigObject::IsComplete(int checkFile) const {
  if (m_strFile.IsEmpty() || m_strSection.IsEmpty() || m_strKey.IsEmpty()) return 0;
  if (checkFile && !PAFileExists(m_strFile, NULL)) return 0;
  return 1;
}

int PAConfigObject::Remove(int wholeSection) {
  return PAWritePrivateProfileString(m_strSection, wholeSection ? NULL : (LPCSTR)m_strKey, NULL, m_strFile);
}

LPCSTR PAConfigObject::GetSection() const { return m_strSection; }

LPCSTR PAConfigObject::GetKey() const { return m_strKey; }
