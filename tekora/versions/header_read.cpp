// PAVersion::ReadHeader and FindHeaderPrefix: the version record from its
// generated header, in the current or the old variable names.
#include <limits.h>
#include <stdlib.h>

#include <new>

#include <tekora/time_guid.h>
#include <tekora/versions.h>

#include "version_variables.h"
#include "../string_ids.h"

namespace {

// Cuts a trimmed header line into the name and value of its "#define" (or
// "#ifndef") and keeps track of the include guard: a keyword followed by a
// single word names the guard, and the define of the guard's own name is
// passed over, so that a guard like AB_INC_VERSION_HPP is never taken for a
// variable. Lines without either keyword are not defines.
class DefineReader {
 public:
  DefineReader() : m_strDefine(MAKEINTRESOURCEA(IDS_PA_VER_DEFINE)), m_strIfndef(MAKEINTRESOURCEA(IDS_PA_VER_IFNDEF)) {}

  // Whether the line holds "#define".
  bool IsDefine(const CString& line) const { return line.Find(m_strDefine) >= 0; }

  // True with the name and value of a variable's define.
  bool Cut(const CString& line, CString& name, CString& value) {
    int at = line.Find(m_strDefine);
    int keyword = m_strDefine.GetLength();
    if (at < 0) {
      at = line.Find(m_strIfndef);
      keyword = m_strIfndef.GetLength();
      if (at < 0) return false;
    }
    CString rest = line.Mid(at + keyword);
    rest.TrimLeft();
    const int blank = PAVersion::FindWhitespace(rest);
    if (blank < 0) {
      m_strGuard = rest;
      return false;
    }
    name = rest.Left(blank);
    name.TrimRight();
    value = rest.Mid(blank);
    value.TrimLeft();
    if (name == m_strGuard) {
      m_strGuard.Empty();
      return false;
    }
    return true;
  }

 private:
  const CString m_strDefine;
  const CString m_strIfndef;
  CString m_strGuard;
};

// The position of the first of the names found in `name`, or -1; `which`
// receives its index.
int FindFirstOf(const CString& name, const CString* names, int count, int& which) {
  for (which = 0; which < count; ++which) {
    const int at = names[which].IsEmpty() ? -1 : name.Find(names[which]);
    if (at >= 0) return at;
  }
  return -1;
}

struct NameLists {
  CString legacy[tekora::kLegacyCount];
  CString current[tekora::kVersionVariableCount];
  NameLists() {
    for (int i = 0; i < tekora::kLegacyCount; ++i) legacy[i] = tekora::LegacyVariableName(i);
    for (int i = 0; i < tekora::kVersionVariableCount; ++i) current[i] = tekora::VersionVariableName(i);
  }
};

// A decimal value as the Windows runtime's atoi reads it: leading blanks,
// a sign, digits; a number beyond 32 bits stops at the largest one.
int ToInt(const CString& text) {
  const long long value = strtoll(text, NULL, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

CString Unquoted(const CString& text) {
  CString out;
  PAVersion::Unquote(out, text);
  return out;
}

}  // namespace

int PAVersion::FindHeaderPrefix(CStdioFile& file, CString& prefix) {
  prefix.Empty();
  const NameLists names;
  const CString marker(MAKEINTRESOURCEA(IDS_PA_VER_MARKER));
  DefineReader reader;
  bool markerSeen = false;
  int legacyCount = 0;
  CString line, name, value;
  try {
    while (file.ReadString(line)) {
      if (!prefix.IsEmpty() && legacyCount > 0) break;
      line.Trim();
      if (!reader.IsDefine(line) && line == marker) markerSeen = true;
      if (!reader.Cut(line, name, value)) continue;
      int which;
      int at = FindFirstOf(name, names.legacy, tekora::kLegacyCount, which);
      if (at >= 0) ++legacyCount;
      else at = FindFirstOf(name, names.current, tekora::kVersionVariableCount, which);
      if (at >= 0 && prefix.IsEmpty()) prefix = name.Left(at);
    }
  } catch (CException* e) {
    // A file that cannot be read to its end gives no prefix.
    e->Delete();
    markerSeen = false;
  }
  if (!markerSeen) prefix.Empty();
  return legacyCount > 0 ? 1 : 0;
}

void PAVersion::ReadDefine(const CString& name, const CString& value) {
  static const NameLists names;
  int which;
  if (FindFirstOf(name, names.legacy, tekora::kLegacyCount, which) >= 0) {
    switch (which) {
      case tekora::kLegacyMiddle: m_nNumber[2] = ToInt(value); break;
      case tekora::kLegacyYear: m_nFirstYear = ToInt(value); break;
      case tekora::kLegacyCompany: m_strCompanyName = Unquoted(value); break;
      case tekora::kLegacyFileDescription: m_strFileDescription = Unquoted(value); break;
      case tekora::kLegacyProductDescription: m_strProductDescription = Unquoted(value); break;
      case tekora::kLegacyExecutable: m_strExecutableName = Unquoted(value); break;
      default: break;  // the old reset mark means nothing now
    }
    return;
  }
  // A user variable's name is the macro name without the prefix and the
  // "_" after it.
  CString userName = name.Mid(m_strPrefix.GetLength());
  if (!userName.IsEmpty() && userName[0] == '_') userName.Delete(0);
  if (FindFirstOf(name, names.current, tekora::kVersionVariableCount, which) >= 0) {
    switch (which) {
      case 0: m_nFormat = ToInt(value); break;
      case 1:
      case 2:
      case 3:
      case 4: m_nNumber[which - 1] = ToInt(value); break;
      case 5: m_nFirstYear = ToInt(value); break;
      case 6: m_nLCID = ToInt(value); break;
      case 7: m_nCodePage = ToInt(value); break;
      case tekora::kCompanyNameVariable: m_strCompanyName = Unquoted(value); break;
      case tekora::kFileDescriptionVariable: m_strFileDescription = Unquoted(value); break;
      case tekora::kProductDescriptionVariable: m_strProductDescription = Unquoted(value); break;
      case tekora::kExecutableNameVariable: m_strExecutableName = Unquoted(value); break;
      case tekora::kPrivateBuildVariable:
        m_strPrivateBuild = Unquoted(value);
        SetUserVariable(userName, m_strPrivateBuild);
        break;
      case tekora::kSpecialBuildVariable:
        m_strSpecialBuild = Unquoted(value);
        SetUserVariable(userName, m_strSpecialBuild);
        break;
      default: break;  // derived from the others when the header is written
    }
    return;
  }
  SetUserVariable(userName, Unquoted(value));
}

void PAVersion::AddSerialAndGuid() {
  CString shortVersion;
  if (!FormatShortVersion(shortVersion)) return;
  CString name;
  name.Format(IDS_PA_VER_SERIAL_VARIABLE, static_cast<LPCSTR>(shortVersion));
  SetUserVariable(name, shortVersion);
  // Each version gets its own GUID once, on the first read of a header for
  // it; later reads keep it.
  name.Format(IDS_PA_VER_GUID_OF_VERSION, static_cast<LPCSTR>(shortVersion));
  if (GetUserVariable(name) != NULL) return;
  GUID guid;
  CString text;
  PAFormatGuid(1, PACreateUniqueGuid(&guid), text);
  SetUserVariable(name, text);
  SetUserVariable(CString(MAKEINTRESOURCEA(IDS_PA_VER_GUID_VARIABLE)), text);
}

int PAVersion::ReadHeader(LPCSTR path) {
  if (path == NULL) return 0;
  Reset();
  m_strHeaderPath = path;
  try {
    CStdioFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText)) return 0;
    CString prefix;
    m_bLegacyHeader = FindHeaderPrefix(file, prefix);
    if (prefix.IsEmpty()) return 0;
    m_strPrefix = prefix;
    m_strModuleName.Empty();
    file.SeekToBegin();
    DefineReader reader;
    CString line, name, value;
    while (file.ReadString(line)) {
      line.Trim();
      if (reader.Cut(line, name, value)) ReadDefine(name, value);
    }
    file.Close();
    AddSerialAndGuid();
  } catch (CException* e) {
    e->Delete();
    return 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return 1;
}
