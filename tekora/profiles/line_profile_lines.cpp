// PALineProfile: finding, changing and removing stored lines.
#include <tekora/line_profile.h>

namespace {

CString UpperCopy(const CString& text) {
  CString upper(text);
  upper.MakeUpper();
  return upper;
}

CString NormalizedSection(LPCSTR section) {
  CString name(section);
  PANormalizeSectionName(name);
  return name;
}

}  // namespace

CString PALineProfile::KeyPattern(LPCSTR section, LPCSTR key) {
  CString trimmedKey(key);
  trimmedKey.Trim();
  return NormalizedSection(section) + '\t' + trimmedKey + '=';
}

int PALineProfile::FindExact(const CString& text) const {
  for (INT_PTR i = 0; i < m_lines.GetSize(); ++i) {
    if (m_lines[i].Find(text) >= 0) return static_cast<int>(i);
  }
  return -1;
}

CString PALineProfile::GetLine(LPCSTR section, LPCSTR key) const {
  try {
    // The stored line is compared in upper case and the pattern as given, so
    // a key with lower-case letters matches nothing.
    const CString pattern = KeyPattern(section, key);
    for (INT_PTR i = 0; i < m_lines.GetSize(); ++i) {
      if (UpperCopy(m_lines[i]).Find(pattern) >= 0) return m_lines[i];
    }
  } catch (CException* e) {
    e->Delete();
  }
  return CString();
}

void PALineProfile::GetSectionLines(LPCSTR section, CStringArray& lines) const {
  try {
    lines.RemoveAll();
    const CString pattern = NormalizedSection(section) + '\t';
    for (INT_PTR i = 0; i < m_lines.GetSize(); ++i) {
      if (UpperCopy(m_lines[i]).Find(pattern) >= 0) lines.Add(m_lines[i].Mid(pattern.GetLength()));
    }
  } catch (CException* e) {
    e->Delete();
  }
}

void PALineProfile::SetLine(LPCSTR section, LPCSTR key, LPCSTR value) {
  try {
    const CString pattern = KeyPattern(section, key);
    const CString line = pattern + value;
    const int index = FindExact(pattern);
    if (index >= 0) {
      if (m_lines[index] != line) {
        m_lines[index] = line;
        m_bModified = 1;
      }
      return;
    }
    m_lines.Add(line);
    m_bModified = 1;
  } catch (CException* e) {
    e->Delete();
  }
}

void PALineProfile::DeleteLine(LPCSTR section, LPCSTR key) {
  try {
    const int index = FindExact(KeyPattern(section, key));
    if (index < 0) return;
    m_lines.RemoveAt(index);
    m_bModified = 1;
  } catch (CException* e) {
    e->Delete();
  }
}
