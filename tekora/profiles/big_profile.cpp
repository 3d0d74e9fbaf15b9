// PABigProfile: a cache of INI files, one per absolute path.
#include <new>

#include <tekora/profiles.h>

IMPLEMENT_SERIAL(PABigProfile, CObject, VERSIONABLE_SCHEMA | 0x70)

PABigProfile::PABigProfile() {}

PABigProfile::~PABigProfile() {
  SaveAll();
  RemoveAllFiles();
}

CRuntimeClass* PABigProfile::GetThisClass() { return RUNTIME_CLASS(PABigProfile); }

int PABigProfile::GetFileCount() const { return static_cast<int>(m_files.GetSize()); }

PAIniFile* PABigProfile::GetFile(int index) const {
  if (index < 0 || index >= m_files.GetSize()) return NULL;
  return static_cast<PAIniFile*>(m_files[index]);
}

int PABigProfile::FindFileIndex(LPCSTR path) const {
  if (path == NULL) return -1;
  // The first file in the array whose path matches, as a scan of the array
  // would find it; the index only narrows down where to look.
  return m_index.Find(path, [&](int i) { return _stricmp(GetFile(i)->GetPath(), path) == 0; });
}

PAIniFile* PABigProfile::FindFile(LPCSTR path) const { return GetFile(FindFileIndex(path)); }

int PABigProfile::AddFile(LPCSTR path) {
  if (FindFileIndex(path) >= 0) return 1;
  PAIniFile* file = NULL;
  bool indexed = false;
  try {
    file = new PAIniFile(path);
    // A relative path names the same file as its absolute form: the cache
    // keeps one copy of each file.
    if (FindFileIndex(file->GetPath()) >= 0) {
      delete file;
      return 1;
    }
    m_index.Add(file->GetPath(), GetFileCount());
    indexed = true;
    m_files.Add(file);
  } catch (CException* e) {
    e->Delete();
    if (indexed) m_index.RemoveAt(file->GetPath(), GetFileCount());
    delete file;
    return 0;
  } catch (const std::bad_alloc&) {
    if (indexed) m_index.RemoveAt(file->GetPath(), GetFileCount());
    delete file;
    return 0;
  }
  return 1;
}

int PABigProfile::LoadFile(LPCSTR path) {
  if (!AddFile(path)) return 0;
  PAIniFile* file = FindFile(path);
  if (file == NULL) {
    // Found under its absolute form only.
    try {
      PAIniFile absolute(path);
      file = FindFile(absolute.GetPath());
    } catch (CException* e) {
      e->Delete();
    } catch (const std::bad_alloc&) {
    }
  }
  return file != NULL ? file->Load() : 0;
}

int PABigProfile::RemoveFile(int index) {
  PAIniFile* file = GetFile(index);
  if (file == NULL) return 0;
  m_index.RemoveAt(file->GetPath(), index);
  m_files.RemoveAt(index);
  delete file;  // with its sections; nothing is saved
  return 1;
}

int PABigProfile::RemoveFile(LPCSTR path) {
  int index = FindFileIndex(path);
  return index < 0 ? 0 : RemoveFile(index);
}

int PABigProfile::RemoveAllFiles() {
  int result = 0;
  for (int i = GetFileCount() - 1; i >= 0; --i) result = RemoveFile(i);
  return result;
}

int PABigProfile::SaveAll() {
  int result = 0;
  for (int i = 0; i < GetFileCount(); ++i) {
    PAIniFile* file = GetFile(i);
    result = file->IsModified() ? file->Save() : 0;
  }
  return result;
}
