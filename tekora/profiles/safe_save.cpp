// SafeFileWriter: a complete new file or none.
#include "safe_save.h"

#include <windows.h>

#include "../string_ids.h"

namespace tekora {

namespace {

// The folder part of a path ("." for a bare name), for the temporary file.
CString FolderOf(const CString& path) {
  int slash = path.ReverseFind('\\');
  int forward = path.ReverseFind('/');
  if (forward > slash) slash = forward;
  if (slash < 0) return CString(".");
  if (slash == 0) return path.Left(1);
  return path.Left(slash);
}

// The path made absolute, so that the target and its temporary file are
// named alike whatever the current directory; as given when that fails.
CString FullPathOf(LPCSTR path) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path, sizeof full, full, NULL);
  return length > 0 && length < sizeof full ? CString(full) : CString(path);
}

bool IsFolder(LPCSTR path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

SafeFileWriter::SafeFileWriter(LPCSTR path) : m_strTarget(FullPathOf(path)), m_bOpen(false) {}

SafeFileWriter::~SafeFileWriter() {
  if (!m_bOpen) return;
  m_file.Abort();
  if (!m_strTemp.IsEmpty()) DeleteFileA(m_strTemp);
}

bool SafeFileWriter::Open() {
  // A folder is never replaced by a file.
  if (IsFolder(m_strTarget)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  try {
    CString prefix;
    prefix.LoadString(IDS_PA_INI_SAVE_PREFIX);
    char temp[MAX_PATH];
    if (GetTempFileNameA(FolderOf(m_strTarget), prefix, 0, temp) != 0) {
      if (m_file.Open(temp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive)) {
        m_strTemp = temp;
        m_bOpen = true;
        return true;
      }
      DeleteFileA(temp);
    }
    // No new file in that folder: write the target itself, as the only way.
    m_strTemp.Empty();
    m_bOpen = m_file.Open(m_strTarget, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite) != FALSE;
    return m_bOpen;
  } catch (CException* e) {
    e->Delete();
    return false;
  }
}

bool SafeFileWriter::Commit() {
  if (!m_bOpen) return false;
  try {
    m_file.Close();
  } catch (CException* e) {
    e->Delete();
    m_file.Abort();
    m_bOpen = !m_strTemp.IsEmpty();  // the destructor removes the temporary file
    return false;
  }
  m_bOpen = false;
  if (m_strTemp.IsEmpty()) return true;
  if (ReplaceFileA(m_strTarget, m_strTemp, NULL, 0, NULL, NULL)) return true;
  // A target that does not exist yet simply gets the new file's name.
  if (GetLastError() == ERROR_FILE_NOT_FOUND && MoveFileExA(m_strTemp, m_strTarget, MOVEFILE_REPLACE_EXISTING))
    return true;
  DeleteFileA(m_strTemp);
  return false;
}

}  // namespace tekora
