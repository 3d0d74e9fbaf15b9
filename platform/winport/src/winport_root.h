// The folder under which the layer keeps what Windows keeps in its own
// places: $WINPORT_ROOT, else ${XDG_CONFIG_HOME:-$HOME/.config}/winport.
#pragma once

#include <string>

namespace winport {

// The layer's root folder as a POSIX path, without a trailing "/". It is
// read from the environment on every call, so a test that points
// XDG_CONFIG_HOME elsewhere gets its own root at once.
std::string WinportRoot();

// The local application data folder as a POSIX path, without a trailing
// "/": ${XDG_DATA_HOME:-$HOME/.local/share}, read on every call as above.
std::string LocalAppDataFolder();

// Creates the folder and every missing folder above it (mkdir -p). True
// when it is a folder afterwards.
bool MakeFolders(const std::string& path);

}  // namespace winport
