// PAIniFile: one INI file in memory, its sections in order and indexed by
// exact name. Reading and writing the file are in ini_file_load.cpp and
// ini_file_save.cpp.
#include <stdlib.h>

#include <new>

#include <tekora/ini_file.h>

#include "ini_index.h"

IMPLEMENT_SERIAL(PAIniFile, CObject, VERSIONABLE_SCHEMA | 0x70)

namespace {

LPCSTR NameOf(const CObject* section) { return static_cast<const PAIniSection*>(section)->GetName(); }

}  // namespace

PAIniFile::PAIniFile() : m_bModified(0) {}

PAIniFile::PAIniFile(LPCSTR path) : m_strPath(path), m_bModified(0) {
  MakeFullPath();
}

PAIniFile::~PAIniFile() {
  for (INT_PTR i = m_sections.GetSize() - 1; i >= 0; --i) delete m_sections[i];
  m_sections.RemoveAll();
  m_index.RemoveAll();
}

CRuntimeClass* PAIniFile::GetThisClass() { return RUNTIME_CLASS(PAIniFile); }

void PAIniFile::MakeFullPath() {
  char full[MAX_PATH];
  if (m_strPath.IsEmpty() || _fullpath(full, m_strPath, MAX_PATH) == NULL) return;
  try {
    m_strPath = full;
  } catch (CException* e) {
    e->Delete();
  }
}

PAIniSection* PAIniFile::GetSection(int index) const {
  if (index < 0 || index >= m_sections.GetSize()) return NULL;
  return static_cast<PAIniSection*>(m_sections[index]);
}

PAIniSection* PAIniFile::FindSection(LPCSTR name) const {
  return static_cast<PAIniSection*>(tekora::FindByExactName(m_index, name));
}

int PAIniFile::FindSectionIndex(LPCSTR name) const {
  if (name == NULL) return -1;
  for (INT_PTR i = 0; i < m_sections.GetSize(); ++i) {
    if (_stricmp(static_cast<PAIniSection*>(m_sections[i])->GetName(), name) == 0) return static_cast<int>(i);
  }
  return -1;
}

int PAIniFile::AddSection(LPCSTR name, int mark) {
  if (name == NULL || *name == '\0') return 0;
  if (FindSection(name) != NULL) return 1;
  PAIniSection* section = NULL;
  bool appended = false;
  try {
    section = new PAIniSection(name);
    m_sections.Add(section);
    appended = true;
    m_index.Add(name, section);
  } catch (CException* e) {
    e->Delete();
    if (appended) m_sections.RemoveAt(m_sections.GetSize() - 1);
    delete section;
    return 0;
  } catch (const std::bad_alloc&) {
    if (appended) m_sections.RemoveAt(m_sections.GetSize() - 1);
    delete section;
    return 0;
  }
  if (mark) m_bModified = 1;
  return 1;
}

int PAIniFile::RemoveSection(int index) {
  PAIniSection* section = GetSection(index);
  if (section == NULL) return 0;
  m_index.Remove(section->GetName(), section);
  m_sections.RemoveAt(index);
  delete section;  // with its entries
  m_bModified = 1;
  return 1;
}

int PAIniFile::RemoveSection(LPCSTR name) {
  int index = FindSectionIndex(name);
  return index < 0 ? 0 : RemoveSection(index);
}

int PAIniFile::RemoveAllSections() {
  int result = 0;
  for (int i = static_cast<int>(m_sections.GetSize()) - 1; i >= 0; --i) result = RemoveSection(i);
  return result;
}

void PAIniFile::SortSections() { tekora::SortByName(m_sections, NameOf); }

int PAIniFile::IsModified() const {
  if (m_bModified == 1) return 1;
  for (INT_PTR i = 0; i < m_sections.GetSize(); ++i) {
    if (static_cast<PAIniSection*>(m_sections[i])->IsModified()) return 1;
  }
  return 0;
}

LPCSTR PAIniFile::GetPath() const { return m_strPath; }

int PAIniFile::GetSectionCount() const { return static_cast<int>(m_sections.GetSize()); }

void PAIniFile::SetModified(int modified) { m_bModified = modified; }
