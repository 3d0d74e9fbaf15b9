// PathIndex: the profile cache's files by a hash of their folded path.
#include <tekora/path_index.h>

namespace tekora {

unsigned int PathIndex::Hash(LPCSTR path) {
  // FNV-1a over the folded bytes. Bytes above 0x7F all count as one: a
  // runtime comparing in another code page may take two of them as the same
  // letter, and they must then hash alike.
  unsigned int hash = 2166136261u;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(path); *p; ++p) {
    unsigned char c = *p;
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + ('a' - 'A'));
    if (c > 0x7F) c = 0x80;
    hash = (hash ^ c) * 16777619u;
  }
  return hash;
}

void PathIndex::Add(LPCSTR path, int position) { m_positions.emplace(Hash(path), position); }

void PathIndex::RemoveAt(LPCSTR path, int position) {
  auto erase = [&](std::unordered_multimap<unsigned int, int>::iterator first,
                   std::unordered_multimap<unsigned int, int>::iterator last) {
    for (auto it = first; it != last; ++it) {
      if (it->second == position) {
        m_positions.erase(it);
        return true;
      }
    }
    return false;
  };
  auto range = m_positions.equal_range(Hash(path));
  if (!erase(range.first, range.second) && !erase(m_positions.begin(), m_positions.end())) return;
  // The positions are those of the array, 0 to the count less one: later
  // ones exist unless the last was removed.
  if (static_cast<size_t>(position) >= m_positions.size()) return;
  for (auto& entry : m_positions) {
    if (entry.second > position) --entry.second;
  }
}

}  // namespace tekora
