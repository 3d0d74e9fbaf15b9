// What PAIniSection and PAIniFile share: the exact-name index beside the
// ordered array, and sorting by name.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include <tekora/name_index.h>

namespace tekora {

// The object stored under exactly `name`, or null (also for a null or empty
// name). PAIniSection::FindEntry and PAIniFile::FindSection are this call on
// the index at the same place in both classes, so that either serves both:
// the result is an untyped address, which each turns into its own type.
inline void* FindByExactName(const NameIndex& index, LPCSTR name) { return index.Find(name); }

// Sorts the array in place by the names that nameOf gives, without regard
// to case, in the user's sort order (lstrcmpiA); an unstable sort. An array
// already in order (a file as the library saved it) is left as it is.
void SortByName(CObArray& items, LPCSTR (*nameOf)(const CObject*));

}  // namespace tekora
