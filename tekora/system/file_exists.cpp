// PAFileExists: whether a file, folder or pattern has a match, and its size.
#include <tekora/system.h>

int PAFileExists(LPCSTR path, unsigned int* size) {
  // The file search takes a null name for "*.*", which would find anything.
  if (path == NULL || *path == '\0') return 0;
  try {
    CFileFind finder;
    if (!finder.FindFile(path)) return 0;
    finder.FindNextFile();
    if (size) *size = static_cast<unsigned int>(finder.GetLength());
    return 1;
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}
