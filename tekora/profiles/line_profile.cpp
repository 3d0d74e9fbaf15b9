// PALineProfile: loading and saving the lines of a file.
#include <io.h>

#include <tekora/line_profile.h>

#include "safe_save.h"

namespace {

const char kTab = '\t';

}  // namespace

PALineProfile::PALineProfile() : m_bModified(0) {}

PALineProfile::~PALineProfile() {}

int PALineProfile::LoadLines(LPCSTR path) {
  m_lines.RemoveAll();
  m_bModified = 0;
  try {
    CString file(path);
    file.Trim();
    if (_access(file, 6) != 0) return 0;
    m_strPath = file;
    CFile input;
    if (!input.Open(file, CFile::modeRead | CFile::shareDenyWrite)) return 1;
    try {
      CArchive archive(&input, CArchive::load);
      CString header, line;
      while (archive.ReadString(line)) {
        line.Trim();
        if (line.IsEmpty()) continue;
        if (line[0] == '[' && line[line.GetLength() - 1] == ']' && line.GetLength() >= 2) {
          header = line;
        } else {
          m_lines.Add(header + kTab + line);
        }
      }
    } catch (CException* e) {
      // A read error: the lines read so far stay.
      e->Delete();
    }
    input.Abort();
  } catch (CException* e) {
    e->Delete();
  }
  return 1;
}

int PALineProfile::SaveLines(LPCSTR path) {
  try {
    CString file(path);
    file.Trim();
    if (file.IsEmpty()) file = m_strPath;
    if (file == m_strPath && m_bModified == 0) return 1;

    tekora::SafeFileWriter writer(file);
    if (!writer.Open()) return 1;
    {
      CArchive archive(&writer.File(), CArchive::store);
      CString previous;
      for (INT_PTR i = 0; i < m_lines.GetSize(); ++i) {
        const CString& stored = m_lines[i];
        int tab = stored.Find(kTab);
        if (tab < 0) continue;
        CString header = stored.Left(tab);
        if (header != previous) {
          if (!previous.IsEmpty()) archive.WriteString("\r\n");
          archive.WriteString(header);
          archive.WriteString("\r\n");
        }
        const CString rest = stored.Mid(tab + 1);
        archive.Write(static_cast<LPCSTR>(rest), static_cast<UINT>(rest.GetLength()));
        archive.WriteString("\r\n");
        previous = header;
      }
      archive.Close();
    }
    writer.Commit();
  } catch (CException* e) {
    e->Delete();
  }
  return 1;
}

int PALineProfile::IsModified() const { return m_bModified; }

LPCSTR PALineProfile::GetPath() const { return m_strPath; }

const CStringArray& PALineProfile::GetLines() const { return m_lines; }
