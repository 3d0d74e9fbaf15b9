// PAIniFile::Save: writes the object as a sorted INI file.
#include <string.h>

#include <initializer_list>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <tekora/ini_file.h>

#include "safe_save.h"
#include "../string_ids.h"

namespace {

// A line format of the string table ("[%s]\n", "%s=%s\n") cut at its "%s"
// fields, so that each line is put together without a printf call per line.
class LineFormat {
 public:
  // IsValid is false when the text is missing (as while the library is
  // being unloaded): a save without its formats writes nothing.
  explicit LineFormat(UINT id) {
    CString format;
    m_bValid = format.LoadString(id) != FALSE;
    LPCSTR p = format;
    for (LPCSTR field = strstr(p, "%s"); field != NULL; field = strstr(p, "%s")) {
      m_pieces.emplace_back(p, static_cast<size_t>(field - p));
      p = field + 2;
    }
    m_pieces.emplace_back(p);
  }

  // Appends the line with the texts in its fields, as a text-mode file
  // holds it: every "\n" becomes CR LF.
  void Append(std::string& out, std::initializer_list<LPCSTR> fields) const {
    size_t i = 0;
    for (LPCSTR field : fields) {
      if (i + 1 >= m_pieces.size()) break;
      AppendText(out, m_pieces[i].data(), m_pieces[i].size());
      AppendText(out, field, strlen(field));
      ++i;
    }
    for (; i < m_pieces.size(); ++i) AppendText(out, m_pieces[i].data(), m_pieces[i].size());
  }

  bool IsValid() const { return m_bValid; }

  static void AppendText(std::string& out, const char* text, size_t length) {
    const char* end = text + length;
    while (text < end) {
      const char* lf = static_cast<const char*>(memchr(text, '\n', static_cast<size_t>(end - text)));
      if (lf == NULL) {
        out.append(text, static_cast<size_t>(end - text));
        return;
      }
      out.append(text, static_cast<size_t>(lf - text));
      out.append("\r\n", 2);
      text = lf + 1;
    }
  }

 private:
  std::vector<std::string> m_pieces;
  bool m_bValid;
};

// The text goes to the file in pieces of about this size: a whole large file
// is never held in memory twice.
const size_t kPieceSize = 1 << 16;

void WritePiece(CFile& file, std::string& piece) {
  if (!piece.empty()) file.Write(piece.data(), static_cast<UINT>(piece.size()));
  piece.clear();
}

}  // namespace

int PAIniFile::Save() {
  std::unique_ptr<LineFormat> header, line;
  try {
    header.reset(new LineFormat(IDS_PA_INI_SECTION_FORMAT));
    line.reset(new LineFormat(IDS_PA_INI_ENTRY_FORMAT));
  } catch (CException* e) {
    e->Delete();
    return 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
  if (!header->IsValid() || !line->IsValid()) return 0;
  tekora::SafeFileWriter writer(m_strPath);
  if (!writer.Open()) return 0;
  try {
    SortSections();
    std::string content;
    content.reserve(kPieceSize + kPieceSize / 4);
    for (int s = 0; s < GetSectionCount(); ++s) {
      PAIniSection* section = GetSection(s);
      if (*section->GetName() == '\0') continue;
      section->SortEntries();
      if (section->GetEntryCount() == 0) continue;
      header->Append(content, {section->GetName()});
      for (int e = 0; e < section->GetEntryCount(); ++e) {
        const PAIniEntry* entry = section->GetEntry(e);
        if (*entry->GetKey() != '\0') line->Append(content, {entry->GetKey(), entry->GetValue()});
        if (content.size() >= kPieceSize) WritePiece(writer.File(), content);
      }
      LineFormat::AppendText(content, "\n", 1);
    }
    WritePiece(writer.File(), content);
  } catch (CException* e) {
    e->Delete();
    return 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
  if (!writer.Commit()) return 0;

  // Only what reached the disk counts as saved.
  for (int s = 0; s < GetSectionCount(); ++s) {
    PAIniSection* section = GetSection(s);
    if (*section->GetName() == '\0') continue;
    for (int e = 0; e < section->GetEntryCount(); ++e) {
      PAIniEntry* entry = section->GetEntry(e);
      if (*entry->GetKey() != '\0') entry->SetModified(0);
    }
    section->SetModified(0);
  }
  m_bModified = 0;
  return 1;
}
