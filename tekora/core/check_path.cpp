// PACheckPath: normalise a path, then test it or change into it.
#include <direct.h>

#include <tekora/core.h>
#include <tekora/system.h>

int PACheckPath(CString& path, int changeDir, int restoreDir) {
  if (path.IsEmpty()) return 0;

  char savedDir[MAX_PATH] = "";
  if (changeDir) {
    if (!_getcwd(savedDir, MAX_PATH)) savedDir[0] = '\0';
    PANormalizeDirectory(path);
  }
  if (!PAFullPath(path)) return 0;

  if (!changeDir) return PAFileExists(path, nullptr);

  // A "$" marks a share or a variable that must not be entered.
  if (path.Find('$') >= 0) return 0;
  const bool entered = _chdir(path) == 0;
  if (restoreDir && savedDir[0] != '\0') _chdir(savedDir);
  return entered ? 1 : 0;
}
