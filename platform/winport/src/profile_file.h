// The files of the private profile calls: which file a name means, reading
// as much of it as a question needs, and replacing it with new content
// without ever leaving it half written.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "profile_path.h"
#include "profile_text.h"

namespace winport {
namespace profile {

// Reads the file (sharing read and write with other opens) from its start
// in growing pieces, and after each piece asks `enough` whether the text so
// far (whole lines only, unless `complete`) already answers the question;
// then it stops reading. Most answers lie near the start of a file, so a
// large script is read only as far as needed. ERROR_SUCCESS, or the error of
// the open or read (ERROR_FILE_NOT_FOUND for a missing file).
DWORD ReadProfile(const std::string& windowsPath,
                  const std::function<bool(const std::string& text, bool complete)>& enough);

// Applies `edit` to the file: to the text read so far, until it no longer
// needs more (a missing file is an empty text, complete). A change is
// written as the changed text followed by the rest of the file as it was:
// an existing file is held open for writing (denying other writers) for the
// whole update, and its new content goes into a temporary file beside it
// that then takes its place with its permissions; a new file is created and
// removed again when it cannot be written whole. ERROR_SUCCESS, or the error
// that stopped the update, with the file as it was.
DWORD UpdateProfile(const std::string& windowsPath, const std::function<Edit(std::string& text, bool complete)>& edit);

}  // namespace profile
}  // namespace winport
