// The 24 version variables: their names and the texts the header gives
// them.
#include "version_variables.h"

#include <tekora/versions.h>

#include "../string_ids.h"

namespace tekora {

namespace {

// The name table as the library has always kept it: pairs of string number
// and variable index, found by index.
struct NameOfVariable {
  UINT id;
  int index;
};
const NameOfVariable kNames[kVersionVariableCount] = {
    {IDS_PA_VER_NAME_FORMAT, 0},         {IDS_PA_VER_NAME_VER1, 1},          {IDS_PA_VER_NAME_VER2, 2},
    {IDS_PA_VER_NAME_VER3, 3},           {IDS_PA_VER_NAME_VER4, 4},          {IDS_PA_VER_NAME_STARTED, 5},
    {IDS_PA_VER_NAME_LCID, 6},           {IDS_PA_VER_NAME_COPA, 7},          {IDS_PA_VER_NAME_COMPANY_NAME, 8},
    {IDS_PA_VER_NAME_FILE_DESC, 9},      {IDS_PA_VER_NAME_PROD_DESC, 10},    {IDS_PA_VER_NAME_EXE_NAME, 11},
    {IDS_PA_VER_NAME_COPYRIGHT, 12},     {IDS_PA_VER_NAME_VERSION_CMA, 13},  {IDS_PA_VER_NAME_VERSION_UND, 14},
    {IDS_PA_VER_NAME_VERSION, 15},       {IDS_PA_VER_NAME_SERIAL, 16},       {IDS_PA_VER_NAME_SER_TXT, 17},
    {IDS_PA_VER_NAME_LOCALE_STR, 18},    {IDS_PA_VER_NAME_CREATED_BY, 19},   {IDS_PA_VER_NAME_LINK_VER, 20},
    {IDS_PA_VER_NAME_PRIVATE_BUILD, 21}, {IDS_PA_VER_NAME_SPECIAL_BUILD, 22}, {IDS_PA_VER_NAME_PROD_MSI_EXE, 23},
};

const UINT kLegacyNames[kLegacyCount] = {
    IDS_PA_VER_LEGACY_RESET,  IDS_PA_VER_LEGACY_MIDLE,    IDS_PA_VER_LEGACY_YEAR,   IDS_PA_VER_LEGACY_FIRMA,
    IDS_PA_VER_LEGACY_FILEDESC, IDS_PA_VER_LEGACY_PRODDESC, IDS_PA_VER_LEGACY_NOWEXE,
};

CString Quoted(const CString& text) {
  CString quoted;
  quoted.Format(IDS_PA_VER_QUOTED_FORMAT, static_cast<LPCSTR>(text));
  return quoted;
}

// A description: without its trailing white space, quoted; no value when
// nothing is left.
bool QuotedDescription(CString text, CString& out) {
  text.TrimRight();
  if (text.IsEmpty()) return false;
  out = Quoted(text);
  return true;
}

}  // namespace

CString VersionVariableName(int index) {
  CString name;
  for (const NameOfVariable& entry : kNames)
    if (entry.index == index) name.LoadString(entry.id);
  return name;
}

CString LegacyVariableName(int legacy) {
  CString name;
  if (legacy >= 0 && legacy < kLegacyCount) name.LoadString(kLegacyNames[legacy]);
  return name;
}

}  // namespace tekora

using tekora::Quoted;

int PAVersion::GetVariableCount() const { return tekora::kVersionVariableCount; }

int PAVersion::GetVariableName(int index, CString& name) const {
  name = tekora::VersionVariableName(index);
  return name.IsEmpty() ? 0 : 1;
}

int PAVersion::GetMacroName(int index, CString& name) const {
  if (m_strPrefix.IsEmpty() || !GetVariableName(index, name)) {
    name.Empty();
    return 0;
  }
  name = m_strPrefix + name;
  return 1;
}

int PAVersion::FormatVariable(int index, CString& text) {
  CString value;
  bool has = true;
  switch (index) {
    case 0: value.Format(IDS_PA_VER_NUMBER_FORMAT, m_nFormat); break;
    case 1:
    case 2:
    case 3:
    case 4: value.Format(IDS_PA_VER_NUMBER_FORMAT, m_nNumber[index - 1]); break;
    case 5: value.Format(IDS_PA_VER_NUMBER_FORMAT, m_nFirstYear); break;
    case 6: value.Format(IDS_PA_VER_NUMBER_FORMAT, m_nLCID); break;
    case 7: value.Format(IDS_PA_VER_NUMBER_FORMAT, m_nCodePage); break;
    case 8: value = Quoted(m_strCompanyName); break;
    case 9: has = tekora::QuotedDescription(m_strFileDescription, value); break;
    case 10: has = tekora::QuotedDescription(m_strProductDescription, value); break;
    case 11: has = tekora::QuotedDescription(m_strExecutableName, value); break;
    case 12: {
      CString copyright;
      FormatCopyright(copyright);
      value = Quoted(copyright);
      break;
    }
    case 13:
    case 14:
    case 15: {
      static const char kSeparators[] = {',', '_', '.'};
      CString version;
      has = FormatVersion(version, kSeparators[index - 13]) != 0;
      if (has) value = Quoted(version);
      break;
    }
    case 16:
      has = FormatShortVersion(value) != 0;
      if (has) SetUserVariable(m_strPrefix, value);
      break;
    case 17: value.Format(IDS_PA_VER_SER_TXT_FORMAT, m_nNumber[0], m_nNumber[1]); break;
    case 18: value.Format(IDS_PA_VER_LOCALE_STR_FORMAT, m_nLCID, m_nCodePage); break;
    case 20: value.Format(IDS_PA_VER_LINK_VER_FORMAT, m_nNumber[0], m_nNumber[1]); break;
    case 23:
      value = FormatMsiCalls();
      has = !value.IsEmpty();
      break;
    default: has = false; break;  // _CREATED_BY, _PRIVATE_BUILD, _SPECIAL_BUILD and bad indices
  }
  if (!has) {
    text.Empty();
    return 0;
  }
  text = value;
  return 1;
}

// "PROD_MSI_CMT" holds entries "feature|component;": each complete one
// becomes the call that uses the feature when it is installed locally.
CString PAVersion::FormatMsiCalls() const {
  const LPCSTR entries = GetUserVariable(CString(MAKEINTRESOURCEA(IDS_PA_VER_MSI_VARIABLE)));
  CString calls;
  if (entries == NULL) return calls;
  const CString text(entries);
  int start = 0;
  for (int end = text.Find(';'); end >= 0; start = end + 1, end = text.Find(';', start)) {
    const CString entry = text.Mid(start, end - start);
    const int bar = entry.Find('|');
    if (bar < 0) continue;
    const CString feature = entry.Left(bar);
    const CString component = entry.Mid(bar + 1);
    if (feature.IsEmpty() || component.IsEmpty()) continue;
    CString call;
    call.Format(IDS_PA_VER_MSI_CALL, static_cast<LPCSTR>(feature), static_cast<LPCSTR>(component),
                static_cast<LPCSTR>(feature), static_cast<LPCSTR>(component));
    if (!calls.IsEmpty()) calls += ' ';
    calls += call;
  }
  return calls;
}
