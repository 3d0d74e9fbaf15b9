// PANodeObject::Load and LoadChildren: a tree read from the cached file,
// section by section along the CHILDS lists.
#include <ctype.h>
#include <string.h>

#include <string>
#include <unordered_map>

#include <tekora/node_object.h>
#include <tekora/profiles.h>
#include <tekora/system.h>

#include "../profiles/shared_profile.h"
#include "../config/table_text.h"
#include "../string_ids.h"
#include "object_array_room.h"

namespace {

// PACheckConfigFile warns about a file shorter than this.
const unsigned int kShortestQuietConfigFile = 52;

// Up to this many children, old and listed, a node's load finds a listed
// child by a scan of its children rather than through an index by name.
const INT_PTR kScannedChildren = 8;

// The name lowered as CString::MakeLower lowers it, built in place.
std::string FoldedName(LPCSTR name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return folded;
}

}  // namespace

// The sections of a tree mostly have the same keys: their items share one
// copy of each key text, and of the file's name. The texts are kept while
// one tree loads.
struct PANodeObject::SharedTexts {
  std::unordered_map<std::string, tekora::SharedText> texts;

  const tekora::SharedText& Share(LPCSTR text) {
    tekora::SharedText& shared = texts[text];
    if (shared.IsEmpty()) shared.Assign(text);
    return shared;
  }
};

int PANodeObject::Load() {
  SharedTexts texts;
  return LoadNode(false, NULL, &texts);
}

int PANodeObject::LoadCheckedFile(unsigned int checkedSize) {
  SharedTexts texts;
  return LoadNode(checkedSize >= kShortestQuietConfigFile, NULL, &texts);
}

int PANodeObject::LoadChildren() {
  SharedTexts texts;
  PAIniFile* file = tekora::CachedProfileFile(m_strFile);
  return LoadChildNodes(false, file, file != NULL ? tekora::CachedSectionIn(file, m_strName) : NULL, &texts);
}

int PANodeObject::LoadNode(bool fileChecked, PAIniFile* file, SharedTexts* texts) {
  if (m_strFile.IsEmpty() || m_strName.IsEmpty()) return 0;
  if (!fileChecked) {
    unsigned int size = 0;
    if (PACheckConfigFile(m_strFile, &size) != 0) return 0;
    // The children in the same file need no check of their own: the file
    // was found a moment ago, and is long enough that the check shows no
    // warning (a short file is checked, and warned about, for each node).
    fileChecked = size >= kShortestQuietConfigFile;
  }
  // The key names as the profile call lists them into a buffer as large as
  // the file, without the buffer: a section without keys does not load.
  if (file == NULL) file = tekora::CachedProfileFile(m_strFile);
  PAIniSection* section = file != NULL ? tekora::CachedSectionIn(file, m_strName) : NULL;
  std::string names;
  if (section == NULL || !tekora::SectionKeyNames(section, &names) || names.empty()) return 0;

  LPCSTR childsKey = tekora::TableText(IDS_PA_CFG_CHILDS);
  INT_PTR keys = 0;
  for (const char* key = names.c_str(); *key != '\0'; key += strlen(key) + 1) ++keys;
  tekora::ReserveRoom(m_items, GetItemCount() + keys);
  const tekora::SharedText* fileName = NULL;
  tekora::SharedText sectionName;
  for (const char* key = names.c_str(); *key != '\0'; key += strlen(key) + 1) {
    if (_stricmp(childsKey, key) == 0) continue;
    PAConfigInt* item = FindItem(key, 0);
    if (item != NULL) {
      item->Read();
      continue;
    }
    // The new item's file and section are the node's: it shares their texts
    // with the node's other items, and reads from the section found above
    // rather than finding it once more.
    if (fileName == NULL) {
      fileName = &texts->Share(m_strFile);
      sectionName.Assign(m_strName);
    }
    const tekora::SharedText& sharedKey = texts->Share(key);
    item = new PAConfigInt;
    item->ShareAddress(*fileName, sectionName, sharedKey);
    if (item->ReadFromSection(section)) {
      AddItem(item);
    } else {
      delete item;
    }
  }
  // A tree holds many nodes of a few items: their arrays keep no spare room.
  m_items.FreeExtra();
  return LoadChildNodes(fileChecked, file, section, texts);
}

int PANodeObject::LoadChildNodes(bool fileChecked, PAIniFile* file, PAIniSection* section, SharedTexts* texts) {
  LPCSTR childsKey = tekora::TableText(IDS_PA_CFG_CHILDS);
  // Most nodes of a tree are leaves, whose section has no CHILDS key: the
  // read below would add it to the cached section with an empty value and
  // the empty list delete it again, which leaves the section as it was but
  // marked modified. That outcome is had without the key coming and going,
  // which cost each leaf's section room for one more entry.
  if (section != NULL && section->FindEntryIndex(childsKey) < 0) {
    section->SetModified(1);
    return 1;
  }
  PAConfigString childs;
  childs.ShareAddress(texts->Share(m_strFile), texts->Share(m_strName), texts->Share(childsKey));
  if (!childs.ReadFromSection(section)) return 1;
  // The names are cut out of the value, which nothing below changes.
  LPCSTR rest = childs.GetValue();
  if (*rest == '\0') {
    childs.Remove(0);
    return 1;
  }

  INT_PTR listed = 1;
  for (LPCSTR comma = strchr(rest, ','); comma != NULL; comma = strchr(comma + 1, ',')) ++listed;
  tekora::ReserveRoom(m_children, GetChildCount() + listed);

  // The children by name, so that a long list finds its existing children
  // without a scan per name; a short one scans, as FindChild does.
  const bool indexed = GetChildCount() + listed > kScannedChildren;
  std::unordered_map<std::string, PANodeObject*> byName;
  if (indexed)
    for (int i = GetChildCount() - 1; i >= 0; --i) byName[FoldedName(GetChild(i)->GetName())] = GetChild(i);

  while (*rest != '\0') {
    LPCSTR comma = strchr(rest, ',');
    const size_t length = comma != NULL ? static_cast<size_t>(comma - rest) : strlen(rest);
    CString name(rest, static_cast<int>(length));
    rest += comma != NULL ? length + 1 : length;
    if (name.IsEmpty() || NamesSelfOrAncestor(name)) continue;

    PANodeObject* existing = NULL;
    if (!indexed) {
      existing = FindChild(name, 0);
    } else {
      auto found = byName.find(FoldedName(name));
      if (found != byName.end()) existing = found->second;
    }
    if (existing != NULL) {
      const bool sameFile = existing->m_strFile == m_strFile;
      existing->LoadNode(fileChecked && sameFile, sameFile ? file : NULL, texts);
      continue;
    }
    PANodeTemplate named = {0, NULL, NULL, NULL, name};
    PANodeObject* child = new PANodeObject;
    if (child->InitFromTemplate(m_strFile, &named, this, 0) && child->LoadNode(fileChecked, file, texts)) {
      AddChild(child);
      if (indexed) byName[FoldedName(name)] = child;
    } else {
      delete child;
    }
  }
  m_children.FreeExtra();
  return 1;
}
