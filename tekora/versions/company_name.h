// Where a new version record finds its company name.
#pragma once

#include <afx.h>

namespace tekora {

// The first non-empty string of 24 registry places, in their fixed order:
// the organisation, then the owner, of the Windows, Windows NT, developer
// and development-studio setup keys, and the set-up program's company and
// user name; each key under HKEY_LOCAL_MACHINE first, then under
// HKEY_CURRENT_USER. Empty when none holds one. Places that cannot be read
// (missing, of another type, longer than 260 characters) are passed over.
CString RegisteredCompanyName();

}  // namespace tekora
