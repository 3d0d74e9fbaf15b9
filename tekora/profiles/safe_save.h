// Writing a file so that it is never left half-written: the new content
// goes into a temporary file in the same folder, which replaces the old file
// in one step (keeping its permissions) only once it is complete. A reader,
// or a process that dies in the middle, sees the old or the new content.
#pragma once

#include <afx.h>

namespace tekora {

class SafeFileWriter {
 public:
  explicit SafeFileWriter(LPCSTR path);
  // Removes the temporary file of a write that was not committed.
  ~SafeFileWriter();
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  // Opens the file to write into: a new temporary file beside the target.
  // Where the folder lets no new file be created (a folder the user may not
  // write), the target itself is opened and rewritten in place, the only
  // way left to save there. False when neither opens, or when the target is
  // a folder; nothing has changed then.
  bool Open();
  // The open file.
  CFile& File() { return m_file; }
  // Closes the file and puts it in the target's place. False when that
  // fails; the target is then as it was (except after an in-place write).
  bool Commit();

 private:
  CString m_strTarget;
  CString m_strTemp;  // empty when writing in place
  CFile m_file;
  bool m_bOpen;
};

}  // namespace tekora
