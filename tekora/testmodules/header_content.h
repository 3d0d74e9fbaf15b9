// The two versions of a large version header that the kill test expects,
// shared by the test and the program it kills.
#pragma once

#include <string>

#include <tekora/tekora.h>

// Version `which` (0 or 1) of a record with `variables` user variables,
// ready to be written.
inline void FillHeaderVersion(PAVersion& record, int which, int variables) {
  record.SetModuleName("BIG");
  record.SetPrefix("BIG_VER");
  record.SetCompanyName("Firm");
  record.SetFormat(0);
  record.SetNumber(0, which + 1);
  record.SetFirstYear(2001);
  record.SetCurrentYear(2007);
  record.SetResetTime(PAVersionTime{0, 0, 12, 1, 2, 2007, 4, 32, 0});
  const std::string text = which == 0 ? "first version of the value " : "second version, a little longer ";
  for (int i = 0; i < variables; ++i)
    record.SetUserVariable(("VAR" + std::to_string(i)).c_str(), (text + std::to_string(i)).c_str());
  // The short version as a user variable, which the first write would add:
  // every write of a version is then the same.
  CString serial;
  record.FormatVariable(16, serial);
}
