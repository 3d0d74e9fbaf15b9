// PAVersion::WriteHeader: the generated version header.
#include <new>
#include <string>

#include <tekora/core.h>
#include <tekora/versions.h>

#include "version_variables.h"
#include "../profiles/safe_save.h"
#include "../string_ids.h"

namespace {

// One "#define" line with the value in the column after the longest name;
// nothing for an empty name or value.
void AppendDefine(CString& text, UINT format, const CString& name, const CString& value, int column) {
  if (name.IsEmpty() || value.IsEmpty()) return;
  const int blanks = column > name.GetLength() ? column - name.GetLength() : 1;
  text.AppendFormat(CString(MAKEINTRESOURCEA(format)), ' ', static_cast<LPCSTR>(name),
                    static_cast<LPCSTR>(CString(' ', blanks)), static_cast<LPCSTR>(value));
}

// The text as a text-mode file holds it: every "\n" becomes CR LF.
std::string InTextMode(const CString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.GetLength()) + static_cast<size_t>(text.GetLength()) / 16);
  for (LPCSTR p = text; *p; ++p) {
    if (*p == '\n') bytes += '\r';
    bytes += *p;
  }
  return bytes;
}

}  // namespace

CString PAVersion::GuardName() const {
  CString guard;
  if (!PAExpandNamePattern(guard, m_strHeaderPath, m_strGuardPattern, m_strModuleName) || guard.IsEmpty())
    guard.Format(IDS_PA_VER_GUARD_FALLBACK, static_cast<LPCSTR>(m_strPrefix));
  return guard;
}

CString PAVersion::HeaderText(const CString& guard) {
  using tekora::kVersionVariableCount;
  m_userVariables.SortEntries();

  // The value column: after the longest of the version macro names (written
  // or not) and the user-variable macro names.
  CStringArray names;
  CString name;
  for (int i = 0; i < kVersionVariableCount; ++i) {
    GetMacroName(i, name);
    names.Add(name);
  }
  CStringArray userNames;
  for (int i = 0; i < m_userVariables.GetEntryCount(); ++i) {
    name.Format(IDS_PA_VER_USER_MACRO, static_cast<LPCSTR>(m_strPrefix), m_userVariables.GetEntry(i)->GetKey());
    userNames.Add(name);
    names.Add(name);
  }
  const int column = GetLongestLength(names);

  CString text(MAKEINTRESOURCEA(IDS_PA_VER_MARKER_LINE));
  text.AppendFormat(CString(MAKEINTRESOURCEA(IDS_PA_VER_GUARD_OPENING)), static_cast<LPCSTR>(guard),
                    static_cast<LPCSTR>(guard), '/', '{', '}');
  text += CString(MAKEINTRESOURCEA(IDS_PA_VER_VARIABLES_BLOCK));
  CString value;
  for (int i = 0; i < tekora::kFirstGeneratedVariable; ++i)
    if (FormatVariable(i, value)) AppendDefine(text, IDS_PA_VER_DEFINE_LINE, names[i], value, column);

  if (m_userVariables.GetEntryCount() > 0) {
    text += CString(MAKEINTRESOURCEA(IDS_PA_VER_USER_BLOCK));
    for (int i = 0; i < m_userVariables.GetEntryCount(); ++i) {
      const LPCSTR stored = m_userVariables.GetEntry(i)->GetValue();
      if (IsNumber(stored)) value = stored;
      else value.Format(IDS_PA_VER_QUOTED_FORMAT, stored);
      AppendDefine(text, IDS_PA_VER_DEFINE_LINE, userNames[i], value, column);
    }
  }

  text += CString(MAKEINTRESOURCEA(IDS_PA_VER_GENERATED_BLOCK));
  for (int i = tekora::kFirstGeneratedVariable; i < kVersionVariableCount; ++i) {
    // The installer calls are kept in the header for the tools that read
    // them, but never compiled.
    const UINT format = i == tekora::kMsiVariable ? IDS_PA_VER_DISABLED_DEFINE : IDS_PA_VER_DEFINE_LINE;
    if (FormatVariable(i, value)) AppendDefine(text, format, names[i], value, column);
  }
  text.AppendFormat(CString(MAKEINTRESOURCEA(IDS_PA_VER_MESSAGE_LINE)), ' ', static_cast<LPCSTR>(m_strPrefix),
                    m_nNumber[0], m_nNumber[1], m_nNumber[2], m_nNumber[3]);
  text.AppendFormat(CString(MAKEINTRESOURCEA(IDS_PA_VER_CLOSING)), '/', '{', '}', static_cast<LPCSTR>(guard));
  return text;
}

int PAVersion::WriteHeader(LPCSTR path) {
  if (path != NULL) m_strHeaderPath = path;
  if (m_strHeaderPath.IsEmpty() || m_strPrefix.IsEmpty()) return 0;
  tekora::SafeFileWriter writer(m_strHeaderPath);
  if (!writer.Open()) return 0;
  try {
    if (m_strModuleName.IsEmpty()) {
      const int suffix = m_strPrefix.Find(CString(MAKEINTRESOURCEA(IDS_PA_VER_PREFIX_SUFFIX)));
      m_strModuleName = suffix >= 0 ? m_strPrefix.Left(suffix) : m_strPrefix;
    }
    const std::string bytes = InTextMode(HeaderText(GuardName()));
    writer.File().Write(bytes.data(), static_cast<UINT>(bytes.size()));
  } catch (CException* e) {
    e->Delete();
    return 0;  // the writer removes its temporary file; the old header stays
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return writer.Commit() ? 1 : 0;
}
