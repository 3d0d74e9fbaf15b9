// PAScriptSettings::Write: the fourteen keys back into the script last read.
#include <string.h>

#include <tekora/script_settings.h>

#include "../string_ids.h"
#include "settings_file.h"
#include "settings_keys.h"

namespace {

using tekora::scriptsettings::KeyName;

// Each key is its own write; one that fails leaves that key as it was in
// the file and the others are still written. A value with a line break is
// not written at all: its lines would stand in the script on their own,
// where one of them could end the comment and turn the rest into SQL.
void WriteKey(UINT keyId, LPCSTR value, const CString& section, LPCSTR path) {
  if (strpbrk(value, "\r\n") != nullptr) return;
  tekora::scriptsettings::WriteSettingsKey(path, section, KeyName(keyId), value);
}

void WriteNumber(UINT keyId, int value, const CString& section, LPCSTR path) {
  CString text;
  text.Format(CString(MAKEINTRESOURCEA(IDS_PA_SETTINGS_NUMBER_FORMAT)), value);
  WriteKey(keyId, text, section, path);
}

void WriteQuoted(UINT keyId, const CString& value, const CString& section, LPCSTR path) {
  CString text;
  text.Format(CString(MAKEINTRESOURCEA(IDS_PA_SETTINGS_QUOTED_FORMAT)), static_cast<LPCSTR>(value));
  WriteKey(keyId, text, section, path);
}

}  // namespace

int PAScriptSettings::Write() {
  // A record that never read a script has nowhere to write to (an empty
  // name would make the profile functions pick a file of their own).
  if (m_strScriptPath.IsEmpty()) return 1;
  try {
    const CString section = tekora::scriptsettings::SectionName();
    const LPCSTR path = m_strScriptPath;
    WriteNumber(IDS_PA_SETTINGS_KEY_APPLICATION, m_nApplication, section, path);
    WriteKey(IDS_PA_SETTINGS_KEY_BASED_ON, m_strBasedOn, section, path);
    WriteNumber(IDS_PA_SETTINGS_KEY_DEFAULT, m_nDefault, section, path);
    WriteQuoted(IDS_PA_SETTINGS_KEY_DESCRIPTION, m_strDescription, section, path);
    WriteNumber(IDS_PA_SETTINGS_KEY_DISPLAY, m_nDisplay, section, path);
    WriteKey(IDS_PA_SETTINGS_KEY_GUID, m_strGuid, section, path);
    WriteNumber(IDS_PA_SETTINGS_KEY_IGNORE_ERRORS, m_nIgnoreErrors, section, path);
    WriteNumber(IDS_PA_SETTINGS_KEY_LOCALE, m_nLocale, section, path);
    WriteNumber(IDS_PA_SETTINGS_KEY_NEW_INST, m_nNewInst, section, path);
    WriteNumber(IDS_PA_SETTINGS_KEY_PRIORITY, m_nPriority, section, path);
    WriteKey(IDS_PA_SETTINGS_KEY_RUN_ONLY_ONCE, m_strRunOnlyOnce, section, path);
    WriteQuoted(IDS_PA_SETTINGS_KEY_TITLE, m_strTitle, section, path);
    WriteNumber(IDS_PA_SETTINGS_KEY_UPGRADE, m_nUpgrade, section, path);
    WriteKey(IDS_PA_SETTINGS_KEY_VERSION, m_strVersion, section, path);
  } catch (CException* e) {
    e->Delete();
  }
  return 1;
}
