// The profile cache's index of its files by path. It is part of
// PABigProfile's layout, not an interface of its own: callers use
// FindFileIndex and FindFile.
#pragma once

#include <afx.h>

#include <unordered_map>

namespace tekora {

// Positions in the cache's array, grouped by a hash of the path folded as
// _stricmp compares it, so that finding a file costs one hash and a
// comparison of the few paths that share it, whatever the number of files.
// The fold is a coarse one (ASCII letters in lower case, every byte above
// 0x7F as one and the same value): two paths that _stricmp takes as equal
// always share a hash, in whatever locale the runtime compares, and the
// caller confirms each candidate with _stricmp itself.
class PathIndex {
 public:
  PathIndex() = default;
  PathIndex(const PathIndex&) = delete;
  PathIndex& operator=(const PathIndex&) = delete;

  // The lowest position among those stored under the hash of `path` for
  // which matches(position) is true, or -1.
  template <typename Matches>
  int Find(LPCSTR path, Matches matches) const {
    int found = -1;
    auto range = m_positions.equal_range(Hash(path));
    for (auto it = range.first; it != range.second; ++it) {
      if ((found < 0 || it->second < found) && matches(it->second)) found = it->second;
    }
    return found;
  }
  // Stores the position under the path. Throws std::bad_alloc; the index is
  // then unchanged.
  void Add(LPCSTR path, int position);
  // Takes out the position stored under `path` (looked for everywhere when
  // the path it was stored under is another), and moves every later
  // position one place down, as the array moves its files.
  void RemoveAt(LPCSTR path, int position);
  void RemoveAll() { m_positions.clear(); }

  static unsigned int Hash(LPCSTR path);

 private:
  std::unordered_multimap<unsigned int, int> m_positions;
};

}  // namespace tekora
