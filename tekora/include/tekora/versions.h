// Version records: the four version numbers of a program with the scheme by
// which they count up (PAVerInternNums), and the full record that the
// generated version header stores (PAVersion): texts, the 24 version
// variables and free user variables. PAVersion writes and reads that header.
//
// No call throws; setters that check their argument return 0 and leave the
// field as it was.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include <tekora/ini_file.h>

// The moment of a record's last reset, field by field as the runtime's
// calendar time record holds them, but with the month counted 1 to 12, the
// full year (2007) and the day of the year counted 1 to 366.
struct PAVersionTime {
  int nSecond;
  int nMinute;
  int nHour;
  int nDay;
  int nMonth;
  int nYear;
  int nWeekday;    // 0 for Sunday
  int nDayOfYear;
  int nDaylight;   // daylight-saving flag
};

class PAVerInternNums : public CObject {
  DECLARE_SERIAL(PAVerInternNums)
 public:
  // Sets the runtime's time zone, seeds the runtime's random generator with
  // the time in seconds, then ResetNumbers.
  PAVerInternNums();
  ~PAVerInternNums() override;

  static CRuntimeClass* GetThisClass();

  // The counting scheme (0 to 6). Setting it: 1, or 0 for another value.
  int GetFormat() const;
  int SetFormat(int scheme);
  // Number `which` (0 to 3), or -1 for another index.
  int GetNumber(int which) const;
  // 1, or 0 for an index other than 0 to 3.
  int SetNumber(int which, int value);
  // Counts the numbers up by the scheme: 0 +1 on number 4; 1 numbers 3 and
  // 4 as one four-digit number; 2 number 4 = (year - 1990) * 1000 + day of
  // year; 3 year, month, day, 0; 4 +1 on number 3; 5 +1 on number 2; 6
  // number 4 = (year - 2000) * 1000 + day of year. Dates are those of the
  // reset time. 1; 0 for a scheme outside 0 to 6.
  int Increment();
  // The version as text with the separator (0 means "."), as the scheme
  // writes it ("1.2.3.4"; scheme 1 joins numbers 3 and 4, schemes 2 and 3
  // leave one number out). 1; 0 with `text` empty for a bad scheme.
  int FormatVersion(CString& text, char separator) const;
  // Numbers 1 and 2 joined ("12"; scheme 3: number 1 alone). 1; 0 with
  // `text` empty for a bad scheme.
  int FormatShortVersion(CString& text) const;
  // Version 1.0.0.0, scheme 6, first and current year this year, the user's
  // default LCID, code page 1200, the legacy flag cleared, the reset time
  // now.
  void ResetNumbers();

  int GetLCID() const;
  // 1; 0 when the system does not support that locale.
  int SetLCID(int lcid);
  int GetCodePage() const;
  // 1; 0 when the code page is neither 0 nor 1200 and not one the system
  // can convert.
  int SetCodePage(int codePage);
  // The ISO 639 language name, "-" and the ISO 3166 country name of the
  // record's LCID ("de-CH"). 1; 0 with `name` empty when the system has
  // either name missing.
  int GetLocaleName(CString& name) const;
  // 1 when the last header read used the old variable names.
  int IsLegacyHeader() const;
  void ClearLegacyHeader();

  int GetFirstYear() const;
  void SetFirstYear(int year);
  int GetCurrentYear() const;
  void SetCurrentYear(int year);
  const PAVersionTime& GetResetTime() const;
  // The date the date schemes count from (normally the time of the reset).
  void SetResetTime(const PAVersionTime& moment);

 protected:
  int m_nFormat;
  int m_nNumber[4];
  int m_nFirstYear;
  int m_nCurrentYear;
  int m_nLCID;
  int m_nCodePage;
  int m_bLegacyHeader;
  PAVersionTime m_resetTime;
};

class PAVersion : public PAVerInternNums {
  DECLARE_SERIAL(PAVersion)
 public:
  // Empty texts and user variables, then Reset.
  PAVersion();
  ~PAVersion() override;

  static CRuntimeClass* GetThisClass();

  // New defaults: ResetNumbers, no user variables, empty texts (the private
  // and special build texts stay), the company name from the first of 24
  // registry places that holds one, two random capital letters as module
  // name, guard pattern "%P_INC_%M_%E" and prefix module name + "_VER".
  void Reset();
  // Schemes 4 and 5 count up by the header's sticky tag in the source
  // repository: scheme 4 with a tag +1 on number 4, else +1 on number 3;
  // scheme 5 with a tag +1 on number 3, else +1 on number 2 and number 3 0,
  // number 4 0 in both cases. Other schemes: Increment. Result as Increment.
  int IncrementFromRepository();

  LPCSTR GetModuleName() const;
  LPCSTR GetPrefix() const;
  LPCSTR GetCompanyName() const;
  LPCSTR GetFileDescription() const;
  LPCSTR GetProductDescription() const;
  LPCSTR GetExecutableName() const;
  LPCSTR GetPrivateBuild() const;
  LPCSTR GetSpecialBuild() const;
  LPCSTR GetHeaderPath() const;
  LPCSTR GetGuardPattern() const;
  LPCSTR GetExtraText() const;
  void SetModuleName(LPCSTR name);
  void SetGuardPattern(LPCSTR pattern);
  // A free text that only this setter and Reset touch.
  void SetExtraText(LPCSTR text);
  // The prefix of every macro name, stored in upper case. 1; 0 for null,
  // empty or a text starting with a digit.
  int SetPrefix(LPCSTR prefix);
  // 1; 0 for null or empty.
  int SetCompanyName(LPCSTR name);
  int SetExecutableName(LPCSTR name);
  // 1.
  int SetFileDescription(LPCSTR text);
  int SetProductDescription(LPCSTR text);

  // "Copyright (C)2001-2007 <company>", or "Copyright (C)2007 <company>"
  // when the first year is not below the current year.
  void FormatCopyright(CString& text) const;
  // `count` random capital letters. 1; 0 for a count below 1.
  int MakeRandomLetters(CString& text, int count) const;

  // The version variables: 24, named "_FORMAT" to "_PROD_MSI_EXE".
  int GetVariableCount() const;
  // 1 with the name; 0 with `name` empty for an index outside 0 to 23.
  int GetVariableName(int index, CString& name) const;
  // The text the header gives the variable. 1; 0 with `text` empty when the
  // variable has no value (_CREATED_BY, empty descriptions ...). _SERIAL
  // also stores the short version as the user variable named like the
  // prefix.
  int FormatVariable(int index, CString& text);

  // The value of the user variable of exactly this name, or null.
  LPCSTR GetUserVariable(LPCSTR name) const;
  // Adds the variable or replaces its value. 1; 0 for a null or empty name.
  int SetUserVariable(LPCSTR name, LPCSTR value);
  // Removes the variable found without regard to case. 1; 0 when none.
  int RemoveUserVariable(LPCSTR name);
  // Removes every user variable. 1; 0 when there were none.
  int ClearUserVariables();
  // The name of the first user variable (for null) or of the one after the
  // named one (found without regard to case); null at the end or when the
  // name is not there.
  LPCSTR GetNextUserVariableName(LPCSTR name) const;
  // The user variables, in their order.
  const PAIniSection& GetUserVariables() const;

  // Writes the version header to `path` (null: the stored header path,
  // else the path is stored): the marker, the include guard, the version
  // variables, the user variables sorted by name, the generated variables,
  // a message line and the guard's end. The new header replaces the old one
  // only when complete, keeping its permissions. Fills an empty module name
  // from the prefix. 1; 0 for an empty path or prefix (nothing is written)
  // and when the file cannot be written (the old header stays).
  int WriteHeader(LPCSTR path);
  // Reads the record from a version header, current or old names: Reset,
  // then the header's prefix, numbers, texts and user variables; adds the
  // user variables "<short version>SERIAL" and, on the first read of a
  // version, "GUID<short version>" and "GUID" with a new GUID. 1; 0 for a
  // null path (record unchanged), and for a missing or unreadable header or
  // one without its marker or without any known variable (record reset,
  // header path stored).
  int ReadHeader(LPCSTR path);

  // Finds the macro prefix of a header open for reading, from its first
  // line on: the part of a macro name before a known variable name. 1 when
  // old variable names were found, else 0; `prefix` is empty when the
  // header has no marker line or no known variable.
  static int FindHeaderPrefix(CStdioFile& file, CString& prefix);
  // The macro name of version variable `index`: prefix + name. 1; 0 with
  // `name` empty for a bad index or an empty prefix.
  int GetMacroName(int index, CString& name) const;
  // The length of the longest string + 1; 1 for an empty array.
  static int GetLongestLength(const CStringArray& strings);
  // 1 for a text of decimal digits only or a hexadecimal number
  // (IsHexNumber); 0 for null, empty and anything else.
  static int IsNumber(LPCSTR text);
  // 1 for "0x" or "0X" followed by hexadecimal digits only ("0x" alone
  // counts); 0 otherwise.
  static int IsHexNumber(LPCSTR text);
  // The index of the first tab, line feed or blank; -1 when there is none
  // or the text is null or empty.
  static int FindWhitespace(LPCSTR text);
  // `text` without one leading and one trailing double quote, where
  // present, into `out`; empty for null or empty.
  static void Unquote(CString& out, LPCSTR text);

 private:
  // The whole header text, "\n" line ends, with the guard name given.
  CString HeaderText(const CString& guard);
  // The include-guard name for the header path and module name.
  CString GuardName() const;
  // Stores one read "#define name value" line in the record.
  void ReadDefine(const CString& name, const CString& value);
  // Adds the SERIAL and GUID user variables after a read.
  void AddSerialAndGuid();
  // The installer-feature calls of the user variable "PROD_MSI_CMT".
  CString FormatMsiCalls() const;

  CString m_strHeaderPath;
  CString m_strModuleName;
  CString m_strGuardPattern;
  CString m_strExtraText;
  CString m_strPrefix;
  CString m_strFileDescription;
  CString m_strCompanyName;
  CString m_strProductDescription;
  CString m_strExecutableName;
  CString m_strPrivateBuild;
  CString m_strSpecialBuild;
  PAIniSection m_userVariables;
};
