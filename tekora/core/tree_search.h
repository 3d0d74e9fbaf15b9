// The search shared by PAFindFileInTree and PAFindDirectoryInTree.
#pragma once

#include <afx.h>

namespace tekora {

enum class TreeTarget { kFile, kDirectory };

enum class TreeSearchResult {
  kFound,             // the name holds the path found
  kFoundNotRestored,  // found, but the working directory could not be changed back
  kNotFound,
};

// Searches `name` below `start` (null or empty: the working directory), then
// up the tree to the home directory; on success `name` becomes the relative
// path found, in lower case. The working directory is changed while it runs
// and changed back.
TreeSearchResult SearchTree(LPCSTR start, CString& name, TreeTarget target);

}  // namespace tekora
