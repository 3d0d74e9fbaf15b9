// The names of the 24 version variables and of the old names that headers
// of earlier releases used, as the string table holds them.
#pragma once

#include <afx.h>

namespace tekora {

const int kVersionVariableCount = 24;

// Indices of the version variables whose value the record stores or that
// the header treats specially.
enum VersionVariable {
  kFormatVariable = 0,
  kCompanyNameVariable = 8,
  kFileDescriptionVariable = 9,
  kProductDescriptionVariable = 10,
  kExecutableNameVariable = 11,
  kFirstGeneratedVariable = 12,
  kSerialVariable = 16,
  kPrivateBuildVariable = 21,
  kSpecialBuildVariable = 22,
  kMsiVariable = 23,
};

// The name of version variable `index` ("_VER1"); empty for a bad index.
CString VersionVariableName(int index);

// The old names, in the order a header line is tried against them.
enum LegacyVariable { kLegacyReset, kLegacyMiddle, kLegacyYear, kLegacyCompany, kLegacyFileDescription,
                      kLegacyProductDescription, kLegacyExecutable, kLegacyCount };
CString LegacyVariableName(int legacy);

}  // namespace tekora
