// File-name patterns with the Windows rules: "*" and "?" match without
// regard to case, "*.*" matches every name (also one without a dot), "*."
// matches names without a dot, and "?" before a dot or at the end of the
// pattern also matches nothing ("a?.txt" finds "a.txt").
#pragma once

#include <string>

namespace winport {

bool HasWildcards(const std::string& pattern);
bool MatchFileName(const std::string& pattern, const std::string& name);

}  // namespace winport
