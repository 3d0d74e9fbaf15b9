// PAScriptSettings::Read: the block of a script file, with the rules that
// keep its values in range.
#include <ctype.h>

#include <vector>

#include <tekora/script_settings.h>
#include <tekora/time_guid.h>

#include "../string_ids.h"
#include "settings_keys.h"

namespace {

using tekora::scriptsettings::KeyName;

char Capital(char c) { return static_cast<char>(toupper(static_cast<unsigned char>(c))); }

// The capital rule of titles and descriptions: the first character upper
// case; and when the text has both a blank and a colon, exactly one blank
// after the first colon and the character after it upper case ("step: load
// data" -> "Step: Load data"; "a:b" -> "A:b").
void SetCapitals(CString& text) {
  if (text.IsEmpty()) return;
  text.SetAt(0, Capital(text[0]));
  const int colon = text.Find(':');
  if (colon < 0 || text.Find(' ') < 0) return;
  CString tail = text.Mid(colon + 1);
  tail.Trim();
  if (!tail.IsEmpty()) tail.SetAt(0, Capital(tail[0]));
  text = text.Left(colon + 1) + " " + tail;
}

// One key of the section read as a number, default when absent.
int ReadNumber(UINT keyId, int defaultValue, const CString& section, LPCSTR path) {
  return static_cast<int>(GetPrivateProfileIntA(section, KeyName(keyId), defaultValue, path));
}

// One key read as text (empty when absent), cut to bufferSize - 1 characters.
CString ReadText(UINT keyId, int bufferSize, const CString& section, LPCSTR path) {
  std::vector<char> buffer(static_cast<size_t>(bufferSize), '\0');
  GetPrivateProfileStringA(section, KeyName(keyId), "", buffer.data(), static_cast<DWORD>(bufferSize), path);
  return CString(buffer.data());
}

int AsFlag(int value) { return value != 0 ? 1 : 0; }

}  // namespace

void PAScriptSettings::StripQuotes(CString& text) {
  if (text.IsEmpty()) return;
  if (text[0] == '\'') text.Delete(0);
  if (!text.IsEmpty() && text[text.GetLength() - 1] == '\'') text.Delete(text.GetLength() - 1);
}

int PAScriptSettings::Read(LPCSTR scriptPath, int createGuid) {
  using tekora::scriptsettings::kRunOnlyOnceBufferSize;
  using tekora::scriptsettings::kTextBufferSize;
  try {
    m_strScriptPath = scriptPath;
    const CString section = tekora::scriptsettings::SectionName();
    const LPCSTR path = m_strScriptPath;

    m_nPriority = ReadNumber(IDS_PA_SETTINGS_KEY_PRIORITY, 0, section, path);
    if (m_nPriority <= 0) return 0;

    m_nApplication = ReadNumber(IDS_PA_SETTINGS_KEY_APPLICATION, -1, section, path);
    if (m_nApplication > 20) m_nApplication = 20;
    if (m_nApplication < -1) m_nApplication = -1;

    m_strBasedOn = ReadText(IDS_PA_SETTINGS_KEY_BASED_ON, kTextBufferSize, section, path);

    m_strDescription = ReadText(IDS_PA_SETTINGS_KEY_DESCRIPTION, kTextBufferSize, section, path);
    StripQuotes(m_strDescription);
    SetCapitals(m_strDescription);

    m_nNewInst = AsFlag(ReadNumber(IDS_PA_SETTINGS_KEY_NEW_INST, 1, section, path));
    m_nUpgrade = AsFlag(ReadNumber(IDS_PA_SETTINGS_KEY_UPGRADE, 0, section, path));
    m_nDisplay = AsFlag(ReadNumber(IDS_PA_SETTINGS_KEY_DISPLAY, 0, section, path));
    if (m_nNewInst == 0 && m_nUpgrade == 0) m_nDisplay = 0;
    m_nDefault = AsFlag(ReadNumber(IDS_PA_SETTINGS_KEY_DEFAULT, 1, section, path));
    if (m_nDisplay == 0) m_nDefault = 0;

    m_strGuid = ReadText(IDS_PA_SETTINGS_KEY_GUID, kTextBufferSize, section, path);
    if (m_strGuid.IsEmpty() && createGuid) {
      GUID guid;
      PAFormatGuid(1, PACreateUniqueGuid(&guid), m_strGuid);
    }

    m_nIgnoreErrors = AsFlag(ReadNumber(IDS_PA_SETTINGS_KEY_IGNORE_ERRORS, 0, section, path));

    m_nLocale = ReadNumber(IDS_PA_SETTINGS_KEY_LOCALE, 0, section, path);
    if (m_nLocale != 0 && !IsValidLocale(static_cast<LCID>(m_nLocale), LCID_SUPPORTED)) m_nLocale = 0;

    m_strRunOnlyOnce = ReadText(IDS_PA_SETTINGS_KEY_RUN_ONLY_ONCE, kRunOnlyOnceBufferSize, section, path);

    m_strTitle = ReadText(IDS_PA_SETTINGS_KEY_TITLE, kTextBufferSize, section, path);
    StripQuotes(m_strTitle);
    SetCapitals(m_strTitle);

    m_strVersion = ReadText(IDS_PA_SETTINGS_KEY_VERSION, kTextBufferSize, section, path);
    return 1;
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}
