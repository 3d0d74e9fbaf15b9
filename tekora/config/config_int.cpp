// PAConfigInt: a configuration item whose value is read as a number.
#include <stdlib.h>

#include <tekora/config_items.h>

#include "../string_ids.h"

IMPLEMENT_SERIAL(PAConfigInt, PAConfigString, VERSIONABLE_SCHEMA | 0x70)

PAConfigInt::PAConfigInt(LPCSTR file, LPCSTR section, LPCSTR key, LPCSTR defaultValue)
    : PAConfigString(file, section, key, defaultValue) {}

PAConfigInt::~PAConfigInt() {}

CRuntimeClass* PAConfigInt::GetThisClass() { return RUNTIME_CLASS(PAConfigInt); }

CRuntimeClass* PAConfigInt::GetBaseClass() { return RUNTIME_CLASS(PAConfigString); }

void PAConfigInt::SetInt(int n) {
  CString text;
  text.Format(IDS_PA_CFG_NUMBER_FORMAT, n);
  m_strValue.Assign(text);
}

int PAConfigInt::IsNumber(LPCSTR text) {
  if (text == NULL) return 0;
  CString trimmed(text);
  trimmed.Trim();
  // The INI model's number test is this one, except that it refuses the
  // empty text, which counts as a number (0) here.
  return trimmed.IsEmpty() ? 1 : PAIniEntry::IsIntValue(trimmed);
}

int PAConfigInt::GetInt(int* value) const {
  if (value == NULL) return 0;
  CString copy(m_strValue);
  if (!IsNumber(copy)) return 0;
  // The words are compared untrimmed: " yes" passes IsNumber but is no
  // "YES" here, and so converts to 0.
  copy.MakeUpper();
  CString yes, no;
  yes.LoadString(IDS_PA_CFG_YES);
  no.LoadString(IDS_PA_CFG_NO);
  if (copy == yes) {
    *value = 1;
  } else if (copy == no) {
    *value = 0;
  } else {
    *value = atoi(copy);
  }
  return 1;
}
