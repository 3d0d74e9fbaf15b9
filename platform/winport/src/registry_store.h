// Where the registry lives and how it is read and changed: one .reg file per
// root under $WINPORT_ROOT/registry/ (WINPORT_ROOT defaults to
// ${XDG_CONFIG_HOME:-$HOME/.config}/winport). Reads see the file as last
// written; a change reloads the file under an exclusive lock (flock on
// "registry.lock" in that folder), applies itself and replaces the file
// atomically (temporary file + rename), so concurrent processes never lose
// each other's changes. A damaged file is ERROR_BADDB, never an empty root.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "registry_tree.h"

namespace winport {
namespace registry {

enum class Root { kCurrentUser, kLocalMachine };

// "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE".
const char* RootName(Root root);

// The folder of the store files.
std::string StoreFolder();

// Runs `read` on the root's current tree. Result: read's result, or the
// error of loading it (ERROR_BADDB for a damaged file).
DWORD ReadRoot(Root root, const std::function<DWORD(Key&)>& read);

// Runs `change` on the root's tree under the store's lock; when it returns
// ERROR_SUCCESS and sets *changed, the tree is written back. Result:
// change's result, or the error of loading or writing.
DWORD UpdateRoot(Root root, const std::function<DWORD(Key&, bool* changed)>& change);

}  // namespace registry
}  // namespace winport
