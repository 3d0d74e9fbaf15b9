// PAFileExists: whether a file, folder or pattern has a match, and its size.
#include <tekora/system.h>

int PAFileExists(LPCSTR path, unsigned int* size) {
  CFileFind finder;
  if (!finder.FindFile(path)) return 0;
  finder.FindNextFile();
  if (size) *size = static_cast<unsigned int>(finder.GetLength());
  return 1;
}
