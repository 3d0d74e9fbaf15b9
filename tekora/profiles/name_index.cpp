// NameIndex: names to objects, by exact name, with linear probing.
#include <tekora/name_index.h>

#include <string.h>

#include <new>
#include <stdexcept>

namespace tekora {

namespace {

size_t PowerOfTwoAtLeast(size_t n) {
  size_t capacity = 8;
  while (capacity < n) capacity *= 2;
  return capacity;
}

}  // namespace


unsigned int NameIndex::Hash(LPCSTR name) {
  // FNV-1a over the bytes.
  unsigned int hash = 2166136261u;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p; ++p) {
    hash = (hash ^ *p) * 16777619u;
  }
  return hash;
}

size_t NameIndex::Probe(LPCSTR name, unsigned int hash) const {
  if (IsDense()) {
    for (size_t i = 0; i < m_slots.size(); ++i) {
      if (m_slots[i].hash == hash && strcmp(m_strText.c_str() + m_slots[i].offset, name) == 0) return i;
    }
    return m_slots.size();
  }
  const size_t mask = m_slots.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = m_slots[i];
    if (slot.object == NULL) return i;
    if (slot.hash == hash && strcmp(m_strText.c_str() + slot.offset, name) == 0) return i;
  }
}

CObject* NameIndex::Find(LPCSTR name) const {
  if (name == NULL || *name == '\0' || m_nCount == 0) return NULL;
  const size_t slot = Probe(name, Hash(name));
  return slot < m_slots.size() ? m_slots[slot].object : NULL;
}

void NameIndex::Add(LPCSTR name, CObject* object) {
  try {
    const bool dense = IsDense() && m_nCount < kDenseNames;
    if (dense) {
      // Dense slots grow four at a time.
      if (m_slots.size() == m_slots.capacity()) m_slots.reserve(m_slots.size() + 4);
    } else if (IsDense() || 2 * (static_cast<size_t>(m_nCount) + 1) > m_slots.size()) {
      // At most half full, so that probes stay short.
      Rebuild(PowerOfTwoAtLeast(4 * (static_cast<size_t>(m_nCount) + 1)));
    }
    const unsigned int hash = Hash(name);
    const size_t offset = m_strText.size();
    if (offset + strlen(name) + 1 > 0xFFFFFFFFu) AfxThrowMemoryException();
    m_strText.append(name);
    m_strText.push_back('\0');
    const Slot added = Slot{hash, static_cast<unsigned int>(offset), object};
    if (dense) {
      m_slots.push_back(added);  // within the room reserved above
    } else {
      m_slots[Probe(name, hash)] = added;
    }
    ++m_nCount;
  } catch (const std::bad_alloc&) {
    AfxThrowMemoryException();
  } catch (const std::length_error&) {
    AfxThrowMemoryException();
  }
}

void NameIndex::Remove(LPCSTR name, CObject* object) {
  if (m_nCount == 0) return;
  if (name != NULL && *name != '\0') {
    const size_t slot = Probe(name, Hash(name));
    if (slot < m_slots.size() && m_slots[slot].object == object) {
      RemoveSlot(slot);
      return;
    }
  }
  for (size_t i = 0; i < m_slots.size(); ++i) {
    if (m_slots[i].object == object) {
      RemoveSlot(i);
      return;
    }
  }
}

void NameIndex::RemoveSlot(size_t slot) {
  m_nDeadText += strlen(m_strText.c_str() + m_slots[slot].offset) + 1;
  if (IsDense()) {
    m_slots[slot] = m_slots.back();
    m_slots.pop_back();
    --m_nCount;
  } else {
    RemoveHashedSlot(slot);
  }
  if (m_nCount == 0) {
    RemoveAll();
  } else if (m_nDeadText > m_strText.size() / 2) {
    try {
      CompactText();
    } catch (const std::bad_alloc&) {
      // The dead names stay until the next compaction.
    }
  }
}

// Linear probing without tombstones: the slots after the freed one that
// would be found through it move back into the gap.
void NameIndex::RemoveHashedSlot(size_t slot) {
  const size_t mask = m_slots.size() - 1;
  m_slots[slot].object = NULL;
  --m_nCount;
  size_t gap = slot;
  for (size_t i = (slot + 1) & mask; m_slots[i].object != NULL; i = (i + 1) & mask) {
    const size_t home = m_slots[i].hash & mask;
    // Moves back when its home is not within (gap, i] cyclically.
    const bool between = gap <= i ? (home > gap && home <= i) : (home > gap || home <= i);
    if (!between) {
      m_slots[gap] = m_slots[i];
      m_slots[i].object = NULL;
      gap = i;
    }
  }
}

void NameIndex::RemoveAll() {
  std::vector<Slot>().swap(m_slots);
  std::string().swap(m_strText);
  m_nCount = 0;
  m_nDeadText = 0;
}

void NameIndex::FreeExtra() {
  try {
    if (IsDense()) m_slots.shrink_to_fit();
    m_strText.shrink_to_fit();
  } catch (const std::bad_alloc&) {
    // The room stays.
  }
}

void NameIndex::CompactText() {
  std::string text;
  text.reserve(m_strText.size() - m_nDeadText);
  for (Slot& slot : m_slots) {
    if (slot.object == NULL) continue;
    const unsigned int offset = static_cast<unsigned int>(text.size());
    text.append(m_strText.c_str() + slot.offset);
    text.push_back('\0');
    slot.offset = offset;
  }
  m_strText.swap(text);
  m_nDeadText = 0;
}

void NameIndex::Rebuild(size_t capacity) {
  std::vector<Slot> slots(capacity, Slot{0, 0, NULL});
  const size_t mask = capacity - 1;
  for (const Slot& old : m_slots) {
    if (old.object == NULL) continue;
    size_t i = old.hash & mask;
    while (slots[i].object != NULL) i = (i + 1) & mask;
    slots[i] = old;
  }
  m_slots.swap(slots);
}

}  // namespace tekora
