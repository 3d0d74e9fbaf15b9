// PAConfigString: a configuration item's default and value, read from and
// written to the shared profile cache.
#include <tekora/config_items.h>
#include <tekora/profiles.h>

#include "../profiles/shared_profile.h"

IMPLEMENT_SERIAL(PAConfigString, CObject, VERSIONABLE_SCHEMA | 0x70)

namespace {

// The size of the buffer a value is read into: longer values are cut.
const unsigned int kValueBufferSize = 2600;

}  // namespace

PAConfigString::PAConfigString(LPCSTR file, LPCSTR section, LPCSTR key, LPCSTR defaultValue)
    : PAConfigObject(NULL, NULL, NULL) {
  Init(file, section, key, defaultValue);
}

PAConfigString::~PAConfigString() {}

CRuntimeClass* PAConfigString::GetThisClass() { return RUNTIME_CLASS(PAConfigString); }

void PAConfigString::Serialize(CArchive& ar) {
  if (ar.IsLoading()) {
    CString value;
    ar >> m_strDefault;
    ar >> value;
    m_strValue.Assign(value, static_cast<size_t>(value.GetLength()));
  } else {
    ar << m_strDefault;
    ar << CString(m_strValue, m_strValue.GetLength());
  }
}

int PAConfigString::Init(LPCSTR file, LPCSTR section, LPCSTR key, LPCSTR defaultValue) {
  PAConfigObject::Init(file, section, key);
  if (defaultValue != NULL) m_strDefault = defaultValue;
  return IsComplete(0);
}

int PAConfigString::Read() {
  if (m_bDoNotStore || !IsComplete(0)) return 0;
  return ReadFromSection(tekora::CachedProfileSection(m_strFile, m_strSection));
}

int PAConfigString::ReadFromSection(PAIniSection* section) {
  if (m_bDoNotStore || !IsComplete(0)) return 0;
  // The text PAGetPrivateProfileString leaves in a buffer of that size, read
  // without the buffer (and its check that the buffer can be written, which
  // costs a system call here); a read that gives nothing counts as empty.
  if (section == NULL ||
      !tekora::ReadSectionString(section, m_strKey, m_strDefault, kValueBufferSize, &m_strValue) ||
      m_strValue.IsEmpty()) {
    m_strValue.Assign(m_strDefault, static_cast<size_t>(m_strDefault.GetLength()));
  }
  return 1;
}

int PAConfigString::Write() {
  if (m_bDoNotStore || !IsComplete(0)) return 0;
  return PAWritePrivateProfileString(m_strSection, m_strKey, m_strValue, m_strFile);
}

int PAConfigString::WriteToSection(PAIniSection* section) {
  if (m_bDoNotStore || !IsComplete(0) || section == NULL) return 0;
  // PAWritePrivateProfileString's last step, on the section it would find.
  return section->SetEntry(m_strKey, m_strValue, 1);
}

void PAConfigString::ShareAddress(const tekora::SharedText& file, const tekora::SharedText& section,
                                  const tekora::SharedText& key) {
  m_strKey = key;
  m_strFile = file;
  m_strSection = section;
}

LPCSTR PAConfigString::GetValue() const { return m_strValue; }

void PAConfigString::SetValue(LPCSTR value) { m_strValue.Assign(value); }

void PAConfigString::ShareValue(const tekora::SharedText& value) { m_strValue = value; }

LPCSTR PAConfigString::GetDefault() const { return m_strDefault; }
