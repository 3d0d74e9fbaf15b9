// PAScriptSettings: construction, the root object's operations, and the
// fields' accessors.
#include <tekora/script_settings.h>

PAScriptSettings::PAScriptSettings()
    : m_nDefault(1),
      m_nIgnoreErrors(0),
      m_nNewInst(0),
      m_nUpgrade(0),
      m_nDisplay(1),
      m_nPriority(0),
      m_nApplication(-1),
      m_nLocale(0) {}

PAScriptSettings::~PAScriptSettings() {}

void PAScriptSettings::Serialize(CArchive&) {}
void PAScriptSettings::AssertValid() const {}
void PAScriptSettings::Dump(CDumpContext&) const {}

// A setter keeps the old text when memory runs out: nothing leaves the library.
static void Assign(CString& field, LPCSTR text) {
  try {
    field = text;
  } catch (CException* e) {
    e->Delete();
  }
}

const CString& PAScriptSettings::GetScriptPath() const { return m_strScriptPath; }
void PAScriptSettings::SetScriptPath(LPCSTR path) { Assign(m_strScriptPath, path); }
const CString& PAScriptSettings::GetTitle() const { return m_strTitle; }
void PAScriptSettings::SetTitle(LPCSTR text) { Assign(m_strTitle, text); }
const CString& PAScriptSettings::GetDescription() const { return m_strDescription; }
void PAScriptSettings::SetDescription(LPCSTR text) { Assign(m_strDescription, text); }
const CString& PAScriptSettings::GetVersion() const { return m_strVersion; }
void PAScriptSettings::SetVersion(LPCSTR text) { Assign(m_strVersion, text); }
const CString& PAScriptSettings::GetRunOnlyOnce() const { return m_strRunOnlyOnce; }
void PAScriptSettings::SetRunOnlyOnce(LPCSTR text) { Assign(m_strRunOnlyOnce, text); }
const CString& PAScriptSettings::GetBasedOn() const { return m_strBasedOn; }
void PAScriptSettings::SetBasedOn(LPCSTR text) { Assign(m_strBasedOn, text); }
const CString& PAScriptSettings::GetGuid() const { return m_strGuid; }
void PAScriptSettings::SetGuid(LPCSTR text) { Assign(m_strGuid, text); }
int PAScriptSettings::GetDefault() const { return m_nDefault; }
void PAScriptSettings::SetDefault(int value) { m_nDefault = value; }
int PAScriptSettings::GetIgnoreErrors() const { return m_nIgnoreErrors; }
void PAScriptSettings::SetIgnoreErrors(int value) { m_nIgnoreErrors = value; }
int PAScriptSettings::GetNewInst() const { return m_nNewInst; }
void PAScriptSettings::SetNewInst(int value) { m_nNewInst = value; }
int PAScriptSettings::GetUpgrade() const { return m_nUpgrade; }
void PAScriptSettings::SetUpgrade(int value) { m_nUpgrade = value; }
int PAScriptSettings::GetDisplay() const { return m_nDisplay; }
void PAScriptSettings::SetDisplay(int value) { m_nDisplay = value; }
int PAScriptSettings::GetPriority() const { return m_nPriority; }
void PAScriptSettings::SetPriority(int value) { m_nPriority = value; }
int PAScriptSettings::GetApplication() const { return m_nApplication; }
void PAScriptSettings::SetApplication(int value) { m_nApplication = value; }
int PAScriptSettings::GetLocale() const { return m_nLocale; }
void PAScriptSettings::SetLocale(int value) { m_nLocale = value; }
