// PAIniSection: one bracketed section of an INI file, its entries in order
// and indexed by exact key.
#include <string.h>

#include <new>

#include <tekora/ini_file.h>

#include "ini_index.h"
#include "../config/shared_text_pack.h"
#include "../string_ids.h"

IMPLEMENT_SERIAL(PAIniSection, CObject, VERSIONABLE_SCHEMA | 0x70)

namespace {

LPCSTR KeyOf(const CObject* entry) { return static_cast<const PAIniEntry*>(entry)->GetKey(); }

// Makes `shared` a copy of `text`, packed when there is a pack.
void MakeText(tekora::SharedTextPack* pack, tekora::SharedText* shared, LPCSTR text) {
  if (pack != NULL) {
    pack->Assign(shared, text, strlen(text));
  } else {
    shared->Assign(text);
  }
}

}  // namespace

PAIniSection::PAIniSection() : m_bModified(0) {}

PAIniSection::PAIniSection(LPCSTR name) : m_strName(name), m_bModified(0) {}

// Deletes the entries first, then empties the array and the index at once
// (one removal at a time would cost a lookup per entry).
PAIniSection::~PAIniSection() {
  for (INT_PTR i = m_entries.GetSize() - 1; i >= 0; --i) delete m_entries[i];
  m_entries.RemoveAll();
  m_index.RemoveAll();
}

CRuntimeClass* PAIniSection::GetThisClass() { return RUNTIME_CLASS(PAIniSection); }

PAIniEntry* PAIniSection::GetEntry(int index) const {
  if (index < 0 || index >= m_entries.GetSize()) return NULL;
  return static_cast<PAIniEntry*>(m_entries[index]);
}

PAIniEntry* PAIniSection::FindEntry(LPCSTR key) const {
  return static_cast<PAIniEntry*>(tekora::FindByExactName(m_index, key));
}

int PAIniSection::FindEntryIndex(LPCSTR key) const {
  if (key == NULL) return -1;
  for (INT_PTR i = 0; i < m_entries.GetSize(); ++i) {
    if (_stricmp(static_cast<PAIniEntry*>(m_entries[i])->GetKey(), key) == 0) return static_cast<int>(i);
  }
  return -1;
}

int PAIniSection::SetEntry(LPCSTR key, LPCSTR value, int mark) { return SetEntry(key, value, mark, NULL, NULL); }

int PAIniSection::SetEntry(LPCSTR key, LPCSTR value, int mark, const PAIniSection* model,
                           tekora::SharedTextPack* pack) {
  if (key == NULL || *key == '\0') return 0;
  PAIniEntry* entry = FindEntry(key);
  if (entry != NULL) {
    entry->SetValue(value);
    return 1;
  }
  const PAIniEntry* twin = model != NULL ? model->GetEntry(GetEntryCount()) : NULL;
  tekora::SharedText sharedKey;
  tekora::SharedText sharedValue;
  try {
    if (twin != NULL && strcmp(twin->GetKey(), key) == 0) {
      sharedKey = twin->m_strKey;
    } else {
      MakeText(pack, &sharedKey, key);
    }
    MakeText(pack, &sharedValue, value != NULL ? value : "");
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
  return AddEntry(sharedKey, sharedValue, mark);
}

int PAIniSection::AddEntry(const tekora::SharedText& key, const tekora::SharedText& value, int mark) {
  PAIniEntry* entry = NULL;
  bool appended = false;
  try {
    entry = new PAIniEntry(key, value);
    m_entries.Add(entry);
    appended = true;
    m_index.Add(key, entry);
  } catch (CException* e) {
    e->Delete();
    if (appended) m_entries.RemoveAt(m_entries.GetSize() - 1);
    delete entry;
    return 0;
  } catch (const std::bad_alloc&) {
    if (appended) m_entries.RemoveAt(m_entries.GetSize() - 1);
    delete entry;
    return 0;
  }
  if (mark) m_bModified = 1;
  return 1;
}

void PAIniSection::FreeExtra() {
  try {
    m_entries.FreeExtra();
  } catch (CException* e) {
    e->Delete();
  }
  m_index.FreeExtra();
}

int PAIniSection::SetEntry(LPCSTR key, int value, int mark) {
  try {
    CString text;
    text.Format(IDS_PA_INI_NUMBER_FORMAT, value);
    return SetEntry(key, text, mark);
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}

int PAIniSection::RemoveEntry(int index) {
  PAIniEntry* entry = GetEntry(index);
  if (entry == NULL) return 0;
  m_index.Remove(entry->GetKey(), entry);
  m_entries.RemoveAt(index);
  delete entry;
  m_bModified = 1;
  return 1;
}

int PAIniSection::RemoveEntry(LPCSTR key) {
  int index = FindEntryIndex(key);
  return index < 0 ? 0 : RemoveEntry(index);
}

int PAIniSection::RemoveAllEntries() {
  int result = 0;
  for (int i = static_cast<int>(m_entries.GetSize()) - 1; i >= 0; --i) result = RemoveEntry(i);
  return result;
}

void PAIniSection::SortEntries() { tekora::SortByName(m_entries, KeyOf); }

int PAIniSection::IsModified() const {
  if (m_bModified == 1) return 1;
  for (INT_PTR i = 0; i < m_entries.GetSize(); ++i) {
    if (static_cast<PAIniEntry*>(m_entries[i])->IsModified()) return 1;
  }
  return 0;
}

LPCSTR PAIniSection::GetName() const { return m_strName; }

int PAIniSection::GetEntryCount() const { return static_cast<int>(m_entries.GetSize()); }

void PAIniSection::SetModified(int modified) { m_bModified = modified; }
