// PANodeObject::Load and LoadChildren: a tree read from the cached file,
// section by section along the CHILDS lists.
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

#include <tekora/node_object.h>
#include <tekora/profiles.h>
#include <tekora/system.h>

#include "../string_ids.h"

namespace {

// The first buffer for a section's key names; it grows while the list does
// not fit, so that a node of a large file does not claim (and clear) room
// for the whole file.
const unsigned int kFirstKeyListSize = 4096;
const unsigned int kLargestKeyListSize = 1u << 30;

// The key names of the section as a double-NUL list. False for a section
// without keys or when memory runs out.
bool ReadKeyNames(LPCSTR file, LPCSTR section, std::vector<char>* names) {
  try {
    for (unsigned int size = kFirstKeyListSize; size <= kLargestKeyListSize; size *= 2) {
      names->assign(size, '\0');
      const int length = PAGetPrivateProfileString(section, NULL, "", names->data(), size, file);
      // A list cut to the buffer has exactly size - 2 characters.
      if (static_cast<unsigned int>(length) < size - 2) return length > 0;
    }
  } catch (const std::bad_alloc&) {
  }
  return false;
}

std::string FoldedName(LPCSTR name) {
  CString folded(name);
  folded.MakeLower();
  return std::string(folded);
}

}  // namespace

int PANodeObject::Load() {
  if (m_strFile.IsEmpty() || m_strName.IsEmpty()) return 0;
  if (PACheckConfigFile(m_strFile, NULL) != 0) return 0;
  std::vector<char> names;
  if (!ReadKeyNames(m_strFile, m_strName, &names)) return 0;

  CString childsKey;
  childsKey.LoadString(IDS_PA_CFG_CHILDS);
  for (const char* key = names.data(); *key != '\0'; key += strlen(key) + 1) {
    if (childsKey.CompareNoCase(key) == 0) continue;
    PAConfigInt* item = FindItem(key, 0);
    if (item != NULL) {
      item->Read();
      continue;
    }
    item = new PAConfigInt(m_strFile, m_strName, key, NULL);
    if (item->Read()) {
      AddItem(item);
    } else {
      delete item;
    }
  }
  return LoadChildren();
}

int PANodeObject::LoadChildren() {
  CString childsKey;
  childsKey.LoadString(IDS_PA_CFG_CHILDS);
  PAConfigString childs(m_strFile, m_strName, childsKey, NULL);
  if (!childs.Read()) return 1;
  CString rest = childs.GetValue();
  if (rest.IsEmpty()) {
    childs.Remove(0);
    return 1;
  }

  // The children by name, so that a long list finds its existing children
  // without a scan per name.
  std::unordered_map<std::string, PANodeObject*> byName;
  for (int i = GetChildCount() - 1; i >= 0; --i) byName[FoldedName(GetChild(i)->GetName())] = GetChild(i);

  while (!rest.IsEmpty()) {
    const int comma = rest.Find(',');
    CString name = comma < 0 ? rest : rest.Left(comma);
    rest = comma < 0 ? CString() : rest.Mid(comma + 1);
    if (name.IsEmpty() || NamesSelfOrAncestor(name)) continue;

    auto existing = byName.find(FoldedName(name));
    if (existing != byName.end()) {
      existing->second->Load();
      continue;
    }
    PANodeTemplate named = {0, NULL, NULL, NULL, name};
    PANodeObject* child = new PANodeObject;
    if (child->InitFromTemplate(m_strFile, &named, this, 0) && child->Load()) {
      AddChild(child);
      byName[FoldedName(name)] = child;
    } else {
      delete child;
    }
  }
  return 1;
}
