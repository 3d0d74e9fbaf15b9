// GetDateFormatA and GetTimeFormatA: dates and times written the way a
// locale of the table writes them, or by a caller's picture.
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include <string>
#include <vector>

#include "locale_table.h"

namespace {

const DWORD kLocaleFlags = LOCALE_NOUSEROVERRIDE | 0x40000000u;  // LOCALE_USE_CP_ACP
const DWORD kDateFormFlags = DATE_SHORTDATE | DATE_LONGDATE | DATE_YEARMONTH;
const DWORD kDateFlags = kDateFormFlags | DATE_USE_ALT_CALENDAR | DATE_LTRREADING | DATE_RTLREADING | kLocaleFlags;
const DWORD kTimeFlags =
    TIME_NOMINUTESORSECONDS | TIME_NOSECONDS | TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT | kLocaleFlags;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The range of dates Windows accepts in a SYSTEMTIME.
bool IsValidDate(const SYSTEMTIME& st) {
  return st.wYear >= 1601 && st.wYear <= 30827 && st.wMonth >= 1 && st.wMonth <= 12 && st.wDay >= 1 &&
         st.wDay <= DaysInMonth(st.wYear, st.wMonth);
}

bool IsValidTime(const SYSTEMTIME& st) {
  return st.wHour < 24 && st.wMinute < 60 && st.wSecond < 60 && st.wMilliseconds < 1000;
}

// 0 for Sunday; the caller's wDayOfWeek is not trusted, as on Windows.
int DayOfWeek(int year, int month, int day) {
  static const int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
}

std::string Number(int value, int count) {
  char digits[16];
  snprintf(digits, sizeof digits, count >= 2 ? "%02d" : "%d", value);
  return digits;
}

// A picture split into runs of one picture letter and the literal text
// between them (quotes resolved: 'text' is literal, '' is one quote).
struct Token {
  bool field;
  char letter;
  int count;
  std::string text;
};

std::vector<Token> Tokenize(const char* picture, const char* letters) {
  std::vector<Token> tokens;
  auto literal = [&tokens]() -> std::string& {
    if (tokens.empty() || tokens.back().field) tokens.push_back(Token{false, 0, 0, std::string()});
    return tokens.back().text;
  };
  for (const char* p = picture; *p;) {
    if (*p == '\'') {
      if (p[1] == '\'') {
        literal() += '\'';
        p += 2;
        continue;
      }
      std::string& text = literal();
      for (++p; *p; ++p) {
        if (*p != '\'') {
          text += *p;
        } else if (p[1] == '\'') {
          text += '\'';
          ++p;
        } else {
          ++p;
          break;
        }
      }
      continue;
    }
    if (strchr(letters, *p)) {
      const char letter = *p;
      int count = 0;
      while (*p == letter) ++p, ++count;
      tokens.push_back(Token{true, letter, count, std::string()});
      continue;
    }
    literal() += *p++;
  }
  return tokens;
}

std::string FormatDate(const winport::LocaleInfo& locale, const SYSTEMTIME& st, const char* picture) {
  const winport::LocaleNames& names = *locale.names;
  const int dayOfWeek = DayOfWeek(st.wYear, st.wMonth, st.wDay);
  std::string out;
  for (const Token& token : Tokenize(picture, "dMyg")) {
    if (!token.field) {
      out += token.text;
      continue;
    }
    switch (token.letter) {
      case 'd':
        if (token.count <= 2) out += Number(st.wDay, token.count);
        else out += (token.count == 3 ? names.abbreviatedDays : names.days)[dayOfWeek];
        break;
      case 'M':
        if (token.count <= 2) out += Number(st.wMonth, token.count);
        else out += (token.count == 3 ? names.abbreviatedMonths : names.months)[st.wMonth - 1];
        break;
      case 'y':
        out += token.count <= 2 ? Number(st.wYear % 100, token.count) : Number(st.wYear, 1);
        break;
      default:  // 'g', the era: the Gregorian calendar's is not shown
        break;
    }
  }
  return out;
}

std::string FormatTime(const winport::LocaleInfo& locale, const SYSTEMTIME& st, const char* picture, DWORD flags) {
  const bool force24 = (flags & TIME_FORCE24HOURFORMAT) != 0;
  std::string out, pending;
  bool dropNextSeparator = false;
  for (const Token& token : Tokenize(picture, "hHmst")) {
    if (!token.field) {
      pending += token.text;
      continue;
    }
    bool dropped = false;
    std::string value;
    switch (token.letter) {
      case 'h':
        if (force24) value = Number(st.wHour, token.count);
        else value = Number(st.wHour % 12 == 0 ? 12 : st.wHour % 12, token.count);
        break;
      case 'H':
        value = Number(st.wHour, token.count);
        break;
      case 'm':
        dropped = (flags & TIME_NOMINUTESORSECONDS) != 0;
        value = Number(st.wMinute, token.count);
        break;
      case 's':
        dropped = (flags & (TIME_NOMINUTESORSECONDS | TIME_NOSECONDS)) != 0;
        value = Number(st.wSecond, token.count);
        break;
      default: {  // 't', the AM/PM marker
        dropped = force24 || (flags & TIME_NOTIMEMARKER) != 0;
        const std::string marker = st.wHour < 12 ? locale.am : locale.pm;
        value = token.count == 1 ? marker.substr(0, 1) : marker;
        break;
      }
    }
    // A dropped field takes the separator before it along, or the one
    // after it when it comes first.
    if (dropped) {
      if (out.empty()) dropNextSeparator = true;
      pending.clear();
      continue;
    }
    if (dropNextSeparator) pending.clear();
    dropNextSeparator = false;
    out += pending;
    out += value;
    pending.clear();
  }
  return out + pending;
}

// Hands the text out by the rules of the locale functions.
int Deliver(const std::string& text, LPSTR buffer, int size) {
  const int needed = static_cast<int>(text.size()) + 1;
  if (size == 0) return needed;
  if (size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  memcpy(buffer, text.c_str(), text.size() + 1);
  return needed;
}

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

}  // namespace

extern "C" int WINAPI GetDateFormatA(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCSTR lpFormat,
                                     LPSTR lpDateStr, int cchDate) {
  if (cchDate < 0 || (cchDate > 0 && !lpDateStr)) return Fail(ERROR_INVALID_PARAMETER);
  const DWORD form = dwFlags & kDateFormFlags;
  if ((dwFlags & ~kDateFlags) != 0 || (form & (form - 1)) != 0 || (lpFormat && form != 0))
    return Fail(ERROR_INVALID_FLAGS);
  const winport::LocaleInfo* locale = winport::FindLocale(Locale);
  if (!locale) return Fail(ERROR_INVALID_PARAMETER);

  SYSTEMTIME date;
  if (lpDate) date = *lpDate;
  else GetLocalTime(&date);
  if (!IsValidDate(date)) return Fail(ERROR_INVALID_PARAMETER);

  const char* picture = lpFormat;
  if (!picture) {
    picture = form == DATE_LONGDATE ? locale->longDate : form == DATE_YEARMONTH ? locale->yearMonth : locale->shortDate;
  }
  return Deliver(FormatDate(*locale, date, picture), lpDateStr, cchDate);
}

extern "C" int WINAPI GetTimeFormatA(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpTime, LPCSTR lpFormat,
                                     LPSTR lpTimeStr, int cchTime) {
  if (cchTime < 0 || (cchTime > 0 && !lpTimeStr)) return Fail(ERROR_INVALID_PARAMETER);
  if ((dwFlags & ~kTimeFlags) != 0) return Fail(ERROR_INVALID_FLAGS);
  const winport::LocaleInfo* locale = winport::FindLocale(Locale);
  if (!locale) return Fail(ERROR_INVALID_PARAMETER);

  SYSTEMTIME time;
  if (lpTime) time = *lpTime;
  else GetLocalTime(&time);
  if (!IsValidTime(time)) return Fail(ERROR_INVALID_PARAMETER);

  return Deliver(FormatTime(*locale, time, lpFormat ? lpFormat : locale->timeFormat, dwFlags), lpTimeStr, cchTime);
}
