// WriteSettingsKey: one key's line edited in the script's bytes, the script
// replaced by a complete new file.
#include "settings_file.h"

#include <windows.h>

#include <string>

#include <profile_path.h>
#include <profile_text.h>

#include "../profiles/safe_save.h"

namespace tekora {
namespace scriptsettings {

namespace {

// The whole file into `text`; a missing file is an empty text. False when
// the file exists but cannot be read.
bool ReadWhole(LPCSTR path, std::string* text) {
  text->clear();
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
  try {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) return false;
    char piece[1 << 16];
    for (UINT read; (read = file.Read(piece, sizeof piece)) > 0;) text->append(piece, read);
    file.Close();
    return true;
  } catch (CException* e) {
    e->Delete();
    return false;
  }
}

bool WriteWhole(LPCSTR path, const std::string& text) {
  SafeFileWriter writer(path);
  if (!writer.Open()) return false;
  try {
    writer.File().Write(text.data(), static_cast<UINT>(text.size()));
  } catch (CException* e) {
    e->Delete();
    return false;  // the writer removes its temporary file
  }
  return writer.Commit();
}

}  // namespace

bool WriteSettingsKey(LPCSTR path, LPCSTR section, LPCSTR key, LPCSTR value) {
  try {
    // The same file that the profile calls read the block from.
    const std::string file = winport::profile::ProfilePath(path);
    std::string text;
    if (!ReadWhole(file.c_str(), &text)) return false;
    const winport::profile::Edit edit = winport::profile::SetKey(text, true, section, key, value);
    return edit != winport::profile::Edit::kChanged || WriteWhole(file.c_str(), text);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace scriptsettings
}  // namespace tekora
