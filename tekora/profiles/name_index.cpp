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
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.object == NULL) return i;
    if (slot.hash == hash && strcmp(text_.c_str() + slot.offset, name) == 0) return i;
  }
}

CObject* NameIndex::Find(LPCSTR name) const {
  if (name == NULL || *name == '\0' || count_ == 0) return NULL;
  return slots_[Probe(name, Hash(name))].object;
}

void NameIndex::Add(LPCSTR name, CObject* object) {
  try {
    // At most half full, so that probes stay short.
    if (2 * (static_cast<size_t>(count_) + 1) > slots_.size()) {
      Rebuild(PowerOfTwoAtLeast(4 * (static_cast<size_t>(count_) + 1)));
    }
    const unsigned int hash = Hash(name);
    const size_t slot = Probe(name, hash);
    const size_t offset = text_.size();
    if (offset + strlen(name) + 1 > 0xFFFFFFFFu) AfxThrowMemoryException();
    text_.append(name);
    text_.push_back('\0');
    slots_[slot] = Slot{hash, static_cast<unsigned int>(offset), object};
    ++count_;
  } catch (const std::bad_alloc&) {
    AfxThrowMemoryException();
  } catch (const std::length_error&) {
    AfxThrowMemoryException();
  }
}

void NameIndex::Remove(LPCSTR name, CObject* object) {
  if (count_ == 0) return;
  if (name != NULL && *name != '\0') {
    const size_t slot = Probe(name, Hash(name));
    if (slots_[slot].object == object) {
      RemoveSlot(slot);
      return;
    }
  }
  for (size_t i = 0; i < slots_.size(); ++i) {
    if (slots_[i].object == object) {
      RemoveSlot(i);
      return;
    }
  }
}

// Linear probing without tombstones: the slots after the freed one that
// would be found through it move back into the gap.
void NameIndex::RemoveSlot(size_t slot) {
  const size_t mask = slots_.size() - 1;
  deadText_ += strlen(text_.c_str() + slots_[slot].offset) + 1;
  slots_[slot].object = NULL;
  --count_;
  size_t gap = slot;
  for (size_t i = (slot + 1) & mask; slots_[i].object != NULL; i = (i + 1) & mask) {
    const size_t home = slots_[i].hash & mask;
    // Moves back when its home is not within (gap, i] cyclically.
    const bool between = gap <= i ? (home > gap && home <= i) : (home > gap || home <= i);
    if (!between) {
      slots_[gap] = slots_[i];
      slots_[i].object = NULL;
      gap = i;
    }
  }
  if (count_ == 0) {
    RemoveAll();
  }
}

void NameIndex::RemoveAll() {
  std::vector<Slot>().swap(slots_);
  std::string().swap(text_);
  count_ = 0;
  deadText_ = 0;
}

void NameIndex::Rebuild(size_t capacity) {
  std::vector<Slot> slots(capacity, Slot{0, 0, NULL});
  std::string text;
  // Names of removed objects are dropped when they are most of the text.
  const bool compact = deadText_ > text_.size() / 2;
  if (compact) text.reserve(text_.size() - deadText_);
  const size_t mask = capacity - 1;
  for (const Slot& old : slots_) {
    if (old.object == NULL) continue;
    Slot moved = old;
    if (compact) {
      moved.offset = static_cast<unsigned int>(text.size());
      text.append(text_.c_str() + old.offset);
      text.push_back('\0');
    }
    size_t i = moved.hash & mask;
    while (slots[i].object != NULL) i = (i + 1) & mask;
    slots[i] = moved;
  }
  slots_.swap(slots);
  if (compact) {
    text_.swap(text);
    deadText_ = 0;
  }
}

}  // namespace tekora
