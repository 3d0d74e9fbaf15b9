// The .reg text format ("Windows Registry Editor Version 5.00", or the older
// "REGEDIT4") of one registry root, read into a key tree and written from
// one. The text is 8-bit, UTF-8 with a byte-order mark, or UTF-16LE with its
// mark (as the Windows editor saves it); it is written 8-bit with CR LF.
#pragma once

#include <string>

#include "registry_tree.h"

namespace winport {
namespace registry {

// Reads the .reg text of the root `rootName` (such as "HKEY_CURRENT_USER")
// into `root`. False when the text is damaged: no header, a key of another
// root, a line that is neither key, value, comment nor blank, or bad data.
// A key's class is kept in a comment line `;Class="text"` below its key
// line, which the Windows registry editor skips like any comment.
bool ParseRegText(const std::string& text, const std::string& rootName, Key* root);

// The .reg text of the tree: the header, then every key with its values.
std::string FormatRegText(const Key& root, const std::string& rootName);

}  // namespace registry
}  // namespace winport
