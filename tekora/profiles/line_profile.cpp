// PALineProfile: loading and saving the lines of a file.
#include <io.h>

#include <tekora/line_profile.h>

#include <string>

#include "safe_save.h"

namespace {

const char kTab = '\t';

// The length of the header part of a stored line, or npos when it has none.
// A header ("[...]") may itself hold a TAB, so a line that starts with "["
// has its header end at the first "]" followed by a TAB; any other line
// ends its header at the first TAB (none before a line stored without a
// header).
size_t HeaderLength(const std::string& stored) {
  if (!stored.empty() && stored[0] == '[') {
    const size_t close = stored.find("]\t");
    if (close != std::string::npos) return close + 1;
  }
  return stored.find(kTab);
}

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
      // Lines and headers may hold NUL bytes: they are handled by length.
      std::string previous;
      for (INT_PTR i = 0; i < m_lines.GetSize(); ++i) {
        const std::string stored(m_lines[i], static_cast<size_t>(m_lines[i].GetLength()));
        const size_t tab = HeaderLength(stored);
        if (tab == std::string::npos) continue;
        const std::string header = stored.substr(0, tab);
        if (header != previous) {
          if (!previous.empty()) archive.WriteString("\r\n");
          archive.Write(header.data(), static_cast<UINT>(header.size()));
          archive.WriteString("\r\n");
        }
        archive.Write(stored.data() + tab + 1, static_cast<UINT>(stored.size() - tab - 1));
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
