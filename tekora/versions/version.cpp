// PAVersion: the texts of a version record, its reset and its user
// variables.
#include <windows.h>

#include <tekora/system.h>
#include <tekora/versions.h>

#include "company_name.h"
#include "../string_ids.h"

IMPLEMENT_SERIAL(PAVersion, PAVerInternNums, VERSIONABLE_SCHEMA | 0x70)

PAVersion::PAVersion() { Reset(); }

PAVersion::~PAVersion() {}

CRuntimeClass* PAVersion::GetThisClass() { return RUNTIME_CLASS(PAVersion); }

void PAVersion::Reset() {
  ResetNumbers();
  ClearUserVariables();
  m_strHeaderPath.Empty();
  m_strModuleName.Empty();
  m_strGuardPattern.Empty();
  m_strExtraText.Empty();
  m_strPrefix.Empty();
  m_strFileDescription.Empty();
  m_strCompanyName = tekora::RegisteredCompanyName();
  m_strProductDescription.Empty();
  m_strExecutableName.Empty();
  MakeRandomLetters(m_strModuleName, 2);
  m_strGuardPattern.LoadString(IDS_PA_CFG_GATE_FORMAT);
  m_strPrefix = m_strModuleName + CString(MAKEINTRESOURCEA(IDS_PA_VER_PREFIX_SUFFIX));
}

LPCSTR PAVersion::GetModuleName() const { return m_strModuleName; }
LPCSTR PAVersion::GetPrefix() const { return m_strPrefix; }
LPCSTR PAVersion::GetCompanyName() const { return m_strCompanyName; }
LPCSTR PAVersion::GetFileDescription() const { return m_strFileDescription; }
LPCSTR PAVersion::GetProductDescription() const { return m_strProductDescription; }
LPCSTR PAVersion::GetExecutableName() const { return m_strExecutableName; }
LPCSTR PAVersion::GetPrivateBuild() const { return m_strPrivateBuild; }
LPCSTR PAVersion::GetSpecialBuild() const { return m_strSpecialBuild; }
LPCSTR PAVersion::GetHeaderPath() const { return m_strHeaderPath; }
LPCSTR PAVersion::GetGuardPattern() const { return m_strGuardPattern; }
LPCSTR PAVersion::GetExtraText() const { return m_strExtraText; }

void PAVersion::SetModuleName(LPCSTR name) { m_strModuleName = name; }
void PAVersion::SetGuardPattern(LPCSTR pattern) { m_strGuardPattern = pattern; }
void PAVersion::SetExtraText(LPCSTR text) { m_strExtraText = text; }

int PAVersion::SetPrefix(LPCSTR prefix) {
  if (prefix == NULL || *prefix == '\0' || (*prefix >= '0' && *prefix <= '9')) return 0;
  m_strPrefix = prefix;
  m_strPrefix.MakeUpper();
  return 1;
}

int PAVersion::SetCompanyName(LPCSTR name) {
  if (name == NULL || *name == '\0') return 0;
  m_strCompanyName = name;
  return 1;
}

int PAVersion::SetExecutableName(LPCSTR name) {
  if (name == NULL || *name == '\0') return 0;
  m_strExecutableName = name;
  return 1;
}

int PAVersion::SetFileDescription(LPCSTR text) {
  m_strFileDescription = text;
  return 1;
}

int PAVersion::SetProductDescription(LPCSTR text) {
  m_strProductDescription = text;
  return 1;
}

void PAVersion::FormatCopyright(CString& text) const {
  if (m_nFirstYear < m_nCurrentYear)
    text.Format(IDS_PA_VER_COPYRIGHT_RANGE, m_nFirstYear, m_nCurrentYear, static_cast<LPCSTR>(m_strCompanyName));
  else
    text.Format(IDS_PA_VER_COPYRIGHT_YEAR, m_nFirstYear, static_cast<LPCSTR>(m_strCompanyName));
}

int PAVersion::MakeRandomLetters(CString& text, int count) const {
  text.Empty();
  if (count <= 0) return 0;
  try {
    for (int i = 0; i < count; ++i) text += static_cast<char>('A' + PARandom(26));
  } catch (CException* e) {
    e->Delete();
    text.Empty();
    return 0;
  }
  return 1;
}

LPCSTR PAVersion::GetUserVariable(LPCSTR name) const {
  const PAIniEntry* entry = m_userVariables.FindEntry(name);
  return entry != NULL ? entry->GetValue() : NULL;
}

int PAVersion::SetUserVariable(LPCSTR name, LPCSTR value) { return m_userVariables.SetEntry(name, value, 1); }

int PAVersion::RemoveUserVariable(LPCSTR name) { return m_userVariables.RemoveEntry(name); }

int PAVersion::ClearUserVariables() { return m_userVariables.RemoveAllEntries(); }

LPCSTR PAVersion::GetNextUserVariableName(LPCSTR name) const {
  int next = 0;
  if (name != NULL) {
    const int index = m_userVariables.FindEntryIndex(name);
    if (index < 0) return NULL;
    next = index + 1;
  }
  const PAIniEntry* entry = m_userVariables.GetEntry(next);
  return entry != NULL ? entry->GetKey() : NULL;
}

const PAIniSection& PAVersion::GetUserVariables() const { return m_userVariables; }
