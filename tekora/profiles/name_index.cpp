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
  const size_t mask = m_slots.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = m_slots[i];
    if (slot.object == NULL) return i;
    if (slot.hash == hash && strcmp(m_strText.c_str() + slot.offset, name) == 0) return i;
  }
}

CObject* NameIndex::Find(LPCSTR name) const {
  if (name == NULL || *name == '\0' || m_nCount == 0) return NULL;
  return m_slots[Probe(name, Hash(name))].object;
}

void NameIndex::Add(LPCSTR name, CObject* object) {
  try {
    // At most half full, so that probes stay short.
    if (2 * (static_cast<size_t>(m_nCount) + 1) > m_slots.size()) {
      Rebuild(PowerOfTwoAtLeast(4 * (static_cast<size_t>(m_nCount) + 1)));
    }
    const unsigned int hash = Hash(name);
    const size_t slot = Probe(name, hash);
    const size_t offset = m_strText.size();
    if (offset + strlen(name) + 1 > 0xFFFFFFFFu) AfxThrowMemoryException();
    m_strText.append(name);
    m_strText.push_back('\0');
    m_slots[slot] = Slot{hash, static_cast<unsigned int>(offset), object};
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
    if (m_slots[slot].object == object) {
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

// Linear probing without tombstones: the slots after the freed one that
// would be found through it move back into the gap.
void NameIndex::RemoveSlot(size_t slot) {
  const size_t mask = m_slots.size() - 1;
  m_nDeadText += strlen(m_strText.c_str() + m_slots[slot].offset) + 1;
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
  if (m_nCount == 0) {
    RemoveAll();
  }
}

void NameIndex::RemoveAll() {
  std::vector<Slot>().swap(m_slots);
  std::string().swap(m_strText);
  m_nCount = 0;
  m_nDeadText = 0;
}

void NameIndex::Rebuild(size_t capacity) {
  std::vector<Slot> slots(capacity, Slot{0, 0, NULL});
  std::string text;
  // Names of removed objects are dropped when they are most of the text.
  const bool compact = m_nDeadText > m_strText.size() / 2;
  if (compact) text.reserve(m_strText.size() - m_nDeadText);
  const size_t mask = capacity - 1;
  for (const Slot& old : m_slots) {
    if (old.object == NULL) continue;
    Slot moved = old;
    if (compact) {
      moved.offset = static_cast<unsigned int>(text.size());
      text.append(m_strText.c_str() + old.offset);
      text.push_back('\0');
    }
    size_t i = moved.hash & mask;
    while (slots[i].object != NULL) i = (i + 1) & mask;
    slots[i] = moved;
  }
  m_slots.swap(slots);
  if (compact) {
    m_strText.swap(text);
    m_nDeadText = 0;
  }
}

}  // namespace tekora
