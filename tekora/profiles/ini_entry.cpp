// PAIniEntry: one key=value line of an INI section.
#include <stdlib.h>
#include <string.h>

#include <tekora/ini_file.h>

#include "../string_ids.h"

IMPLEMENT_SERIAL(PAIniEntry, CObject, VERSIONABLE_SCHEMA | 0x70)

namespace {

// The decimal text of a number, in the library's number format.
CString NumberText(int value) {
  CString text;
  text.Format(IDS_PA_INI_NUMBER_FORMAT, value);
  return text;
}

bool SameText(LPCSTR stored, LPCSTR text) { return strcmp(stored, text ? text : "") == 0; }

}  // namespace

PAIniEntry::PAIniEntry() : m_bModified(0) {}

PAIniEntry::PAIniEntry(LPCSTR key, LPCSTR value) : m_bModified(0) {
  m_strKey.Assign(key);
  m_strValue.Assign(value);
}

PAIniEntry::PAIniEntry(LPCSTR key, int value) : m_bModified(0) {
  m_strKey.Assign(key);
  m_strValue.Assign(NumberText(value));
}

PAIniEntry::PAIniEntry(const tekora::SharedText& key, const tekora::SharedText& value)
    : m_bModified(0), m_strKey(key), m_strValue(value) {}

PAIniEntry::~PAIniEntry() {}

CRuntimeClass* PAIniEntry::GetThisClass() { return RUNTIME_CLASS(PAIniEntry); }

// A text that cannot be stored for lack of memory leaves the old one.
void PAIniEntry::SetKey(LPCSTR key) {
  if (SameText(m_strKey, key)) return;
  try {
    m_strKey.Assign(key);
    m_bModified = 1;
  } catch (CException* e) {
    e->Delete();
  }
}

void PAIniEntry::SetValue(LPCSTR value) {
  if (SameText(m_strValue, value)) return;
  try {
    m_strValue.Assign(value);
    m_bModified = 1;
  } catch (CException* e) {
    e->Delete();
  }
}

void PAIniEntry::SetValue(int value) {
  try {
    SetValue(NumberText(value));
  } catch (CException* e) {
    e->Delete();
  }
}

int PAIniEntry::IsNumberChar(char c) {
  if (c == '+' || c == '-' || c == '.') return 1;
  WORD type = 0;
  if (!GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE1, &c, 1, &type)) return 0;
  return (type & C1_DIGIT) ? 1 : 0;
}

int PAIniEntry::IsIntValue(LPCSTR text) {
  try {
    CString trimmed(text);
    trimmed.Trim();
    if (trimmed.IsEmpty()) return 0;
    CString yes, no;
    yes.LoadString(IDS_PA_INI_YES);
    no.LoadString(IDS_PA_INI_NO);
    if (trimmed.CompareNoCase(yes) == 0 || trimmed.CompareNoCase(no) == 0) return 1;
    for (int i = 0; i < trimmed.GetLength(); ++i) {
      if (!IsNumberChar(trimmed[i])) return 0;
    }
    return 1;
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}

int PAIniEntry::GetIntValue(int& value) const {
  value = 0;
  if (!IsIntValue(m_strValue)) return 0;
  try {
    CString yes, no;
    yes.LoadString(IDS_PA_INI_YES);
    no.LoadString(IDS_PA_INI_NO);
    if (yes.CompareNoCase(m_strValue) == 0) {
      value = 1;
    } else if (no.CompareNoCase(m_strValue) == 0) {
      value = 0;
    } else {
      value = atoi(m_strValue);
    }
    return 1;
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}

LPCSTR PAIniEntry::GetKey() const { return m_strKey; }

LPCSTR PAIniEntry::GetValue() const { return m_strValue; }

int PAIniEntry::IsModified() const { return m_bModified; }

void PAIniEntry::SetModified(int modified) { m_bModified = modified; }
