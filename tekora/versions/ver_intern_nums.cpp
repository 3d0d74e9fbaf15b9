// PAVerInternNums: the four version numbers and the schemes by which they
// count up and are written.
#include <stdlib.h>
#include <time.h>
#include <windows.h>

#include <tekora/versions.h>

IMPLEMENT_SERIAL(PAVerInternNums, CObject, VERSIONABLE_SCHEMA | 0x70)

namespace {

const int kSchemeCount = 7;
const int kDefaultScheme = 6;
const int kUnicodeCodePage = 1200;

bool IsScheme(int scheme) { return static_cast<unsigned int>(scheme) < static_cast<unsigned int>(kSchemeCount); }

// The number of a date scheme: the years since `base` in thousands, plus
// the day of the year.
int DateNumber(const PAVersionTime& moment, int base) { return (moment.nYear - base) * 1000 + moment.nDayOfYear; }

PAVersionTime LocalTimeNow() {
  const time_t now = time(NULL);
  const struct tm* local = localtime(&now);
  PAVersionTime moment = {0, 0, 0, 1, 1, 1970, 4, 1, 0};
  if (local == NULL) return moment;
  moment.nSecond = local->tm_sec;
  moment.nMinute = local->tm_min;
  moment.nHour = local->tm_hour;
  moment.nDay = local->tm_mday;
  moment.nMonth = local->tm_mon + 1;
  moment.nYear = local->tm_year + 1900;
  moment.nWeekday = local->tm_wday;
  moment.nDayOfYear = local->tm_yday + 1;
  moment.nDaylight = local->tm_isdst;
  return moment;
}

}  // namespace

PAVerInternNums::PAVerInternNums() {
  _tzset();
  srand(static_cast<unsigned int>(time(NULL)));
  ResetNumbers();
}

PAVerInternNums::~PAVerInternNums() {}

CRuntimeClass* PAVerInternNums::GetThisClass() { return RUNTIME_CLASS(PAVerInternNums); }

void PAVerInternNums::ResetNumbers() {
  m_bLegacyHeader = 0;
  m_resetTime = LocalTimeNow();
  m_nNumber[0] = 1;
  m_nNumber[1] = m_nNumber[2] = m_nNumber[3] = 0;
  m_nFormat = kDefaultScheme;
  m_nFirstYear = m_nCurrentYear = m_resetTime.nYear;
  m_nLCID = static_cast<int>(GetUserDefaultLCID());
  m_nCodePage = kUnicodeCodePage;
}

int PAVerInternNums::GetFormat() const { return m_nFormat; }

int PAVerInternNums::SetFormat(int scheme) {
  if (!IsScheme(scheme)) return 0;
  m_nFormat = scheme;
  return 1;
}

int PAVerInternNums::GetNumber(int which) const {
  return static_cast<unsigned int>(which) < 4u ? m_nNumber[which] : -1;
}

int PAVerInternNums::SetNumber(int which, int value) {
  if (static_cast<unsigned int>(which) >= 4u) return 0;
  m_nNumber[which] = value;
  return 1;
}

int PAVerInternNums::Increment() {
  switch (m_nFormat) {
    case 0:
      ++m_nNumber[3];
      return 1;
    case 1: {
      const int joined = m_nNumber[2] * 100 + m_nNumber[3] + 1;
      m_nNumber[2] = joined / 100;
      m_nNumber[3] = joined % 100;
      return 1;
    }
    case 2:
      m_nNumber[3] = DateNumber(m_resetTime, 1990);
      return 1;
    case 3:
      m_nNumber[0] = m_resetTime.nYear;
      m_nNumber[1] = m_resetTime.nMonth;
      m_nNumber[2] = m_resetTime.nDay;
      m_nNumber[3] = 0;
      return 1;
    case 4:
      ++m_nNumber[2];
      return 1;
    case 5:
      ++m_nNumber[1];
      return 1;
    case 6:
      m_nNumber[3] = DateNumber(m_resetTime, 2000);
      return 1;
    default:
      return 0;
  }
}

int PAVerInternNums::FormatVersion(CString& text, char separator) const {
  const char s = separator != 0 ? separator : '.';
  const int* n = m_nNumber;
  switch (m_nFormat) {
    case 1:
      text.Format("%d%c%d%c%d%d", n[0], s, n[1], s, n[2], n[3]);
      return 1;
    case 2:
      text.Format("%d%c%d%c%d", n[0], s, n[1], s, n[3]);
      return 1;
    case 3:
      text.Format("%d%c%d%c%d", n[0], s, n[1], s, n[2]);
      return 1;
    case 0:
    case 4:
    case 5:
    case 6:
      text.Format("%d%c%d%c%d%c%d", n[0], s, n[1], s, n[2], s, n[3]);
      return 1;
    default:
      text.Empty();
      return 0;
  }
}

int PAVerInternNums::FormatShortVersion(CString& text) const {
  if (!IsScheme(m_nFormat)) {
    text.Empty();
    return 0;
  }
  if (m_nFormat == 3) text.Format("%d", m_nNumber[0]);
  else text.Format("%d%d", m_nNumber[0], m_nNumber[1]);
  return 1;
}

int PAVerInternNums::GetLCID() const { return m_nLCID; }

int PAVerInternNums::SetLCID(int lcid) {
  if (!IsValidLocale(static_cast<LCID>(lcid), LCID_SUPPORTED)) return 0;
  m_nLCID = lcid;
  return 1;
}

int PAVerInternNums::GetCodePage() const { return m_nCodePage; }

int PAVerInternNums::SetCodePage(int codePage) {
  if (codePage != 0 && codePage != kUnicodeCodePage && !IsValidCodePage(static_cast<UINT>(codePage))) return 0;
  m_nCodePage = codePage;
  return 1;
}

int PAVerInternNums::GetLocaleName(CString& name) const {
  char language[MAX_PATH];
  char country[MAX_PATH];
  const LCID lcid = static_cast<LCID>(m_nLCID);
  name.Empty();
  if (GetLocaleInfoA(lcid, LOCALE_SISO639LANGNAME, language, sizeof language) == 0 || language[0] == '\0') return 0;
  if (GetLocaleInfoA(lcid, LOCALE_SISO3166CTRYNAME, country, sizeof country) == 0 || country[0] == '\0') return 0;
  name.Format("%s-%s", language, country);
  return 1;
}

int PAVerInternNums::IsLegacyHeader() const { return m_bLegacyHeader; }

void PAVerInternNums::ClearLegacyHeader() { m_bLegacyHeader = 0; }

int PAVerInternNums::GetFirstYear() const { return m_nFirstYear; }

void PAVerInternNums::SetFirstYear(int year) { m_nFirstYear = year; }

int PAVerInternNums::GetCurrentYear() const { return m_nCurrentYear; }

void PAVerInternNums::SetCurrentYear(int year) { m_nCurrentYear = year; }

const PAVersionTime& PAVerInternNums::GetResetTime() const { return m_resetTime; }

void PAVerInternNums::SetResetTime(const PAVersionTime& moment) { m_resetTime = moment; }
