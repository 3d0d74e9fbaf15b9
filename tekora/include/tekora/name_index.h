// The exact-name index of PAIniSection and PAIniFile. It is part of their
// layout, not an interface of its own: callers use FindEntry and
// FindSection.
#pragma once

#include <afx.h>

#include <string>
#include <vector>

namespace tekora {

// A hash table from names (compared exactly, case included) to objects,
// with open addressing. The names are copied into one growing block of text
// rather than one allocation each, so an index of half a million names costs
// little more than the names themselves. Up to kDenseNames names the slots
// are kept dense and found by a scan: an index of a few names (a section of
// a few keys) costs a slot per name rather than a table four times as large.
// A name keeps finding its object until it is removed, whatever happens to
// the object meanwhile.
class NameIndex {
 public:
  // An empty index; its table is made on the first Add and grows with it.
  NameIndex() = default;
  NameIndex(const NameIndex&) = delete;
  NameIndex& operator=(const NameIndex&) = delete;

  // The object stored under exactly `name`, or null (also for null or "").
  CObject* Find(LPCSTR name) const;
  // Stores the object under `name` (which must not be stored yet). Throws
  // the framework's memory exception; the index is then unchanged.
  void Add(LPCSTR name, CObject* object);
  // Takes the object out: it is stored under `name` unless the name given
  // is another, and is then looked for everywhere.
  void Remove(LPCSTR name, CObject* object);
  void RemoveAll();
  // Gives back the room kept for more names: the spare dense slots and the
  // spare text (a hash table keeps its size, which its probes need). Nothing
  // changes when memory runs out.
  void FreeExtra();
  unsigned int GetCount() const { return m_nCount; }

 private:
  struct Slot {
    unsigned int hash;
    unsigned int offset;  // of the name in m_strText
    CObject* object;      // null: a free slot
  };

  // The most names kept in dense slots; one more makes the hash table.
  static const unsigned int kDenseNames = 16;

  static unsigned int Hash(LPCSTR name);
  // Dense: every slot holds a name (an empty index is dense too); a hash
  // table is never full.
  bool IsDense() const { return m_slots.size() == m_nCount; }
  // The slot holding `name`, or the free slot where it would go (in a dense
  // index: the slot count).
  size_t Probe(LPCSTR name, unsigned int hash) const;
  // Frees the slot; the names of removed objects are dropped from the text
  // when they are most of it.
  void RemoveSlot(size_t slot);
  void RemoveHashedSlot(size_t slot);
  // The text with the live names only. Throws std::bad_alloc; the index is
  // then unchanged.
  void CompactText();
  // A hash table of `capacity` slots (a power of two) with the live names.
  void Rebuild(size_t capacity);

  std::vector<Slot> m_slots;
  std::string m_strText;     // every stored name with its terminator
  unsigned int m_nCount = 0;
  size_t m_nDeadText = 0;    // bytes of removed names still in m_strText
};

}  // namespace tekora
