// PAFindFileInTree and PAFindDirectoryInTree.
#include <stdio.h>

#include <tekora/tree_search.h>

#include "not_found_list.h"
#include "tree_search.h"

int PAFindFileInTree(LPCSTR start, CString& name) {
  try {
    name.MakeLower();
    // A name with "@" is a placeholder of the build, never a file on disk.
    if (name.Find('@') >= 0) return 0;
    fputs("Searching file: ", stdout);
    fputs(name, stdout);
    fputs("\r\n", stdout);
    fflush(stdout);
    if (tekora::IsKnownMissing(name)) return 0;
    const CString wanted = name;
    switch (tekora::SearchTree(start, name, tekora::TreeTarget::kFile)) {
      case tekora::TreeSearchResult::kFound:
        return 1;
      case tekora::TreeSearchResult::kFoundNotRestored:
        return 0;
      case tekora::TreeSearchResult::kNotFound:
        break;
    }
    tekora::RememberMissing(wanted);
    return 0;
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}

int PAFindDirectoryInTree(LPCSTR start, CString& name) {
  if (name == "." || name == "..") return 1;
  try {
    return tekora::SearchTree(start, name, tekora::TreeTarget::kDirectory) ==
                   tekora::TreeSearchResult::kFound
               ? 1
               : 0;
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}
