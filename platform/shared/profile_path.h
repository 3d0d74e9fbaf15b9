// The file that a profile file name means, as the profile calls take it.
#pragma once

#include <windows.h>

#include <string>

namespace winport {
namespace profile {

// The Windows path of a profile file name: a name without a folder is in the
// Windows directory; NULL is "win.ini" there.
std::string ProfilePath(LPCSTR fileName);

}  // namespace profile
}  // namespace winport
