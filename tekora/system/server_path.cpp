// PAMapToServerPath: a local SDK or compiler path as a path on the build server.
#include <tekora/build_server.h>
#include <tekora/documents.h>
#include <tekora/profiles.h>

namespace {

// The directory an environment variable names, lower-cased; FALSE when it is
// unset, empty, or longer than a path may be.
BOOL DirectoryOf(LPCSTR variable, CString& directory) {
  char value[MAX_PATH];
  DWORD length = GetEnvironmentVariableA(variable, value, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return FALSE;
  directory = value;
  directory.MakeLower();
  return TRUE;
}

BOOL StartsWith(const CString& text, const CString& prefix) {
  return text.GetLength() >= prefix.GetLength() && text.Left(prefix.GetLength()) == prefix;
}

}  // namespace

int PAMapToServerPath(LPCSTR key, CString& path, LPCSTR iniFile) {
  CString directory, mapped;
  if (DirectoryOf("MSSdk", directory) && StartsWith(path, directory)) {
    mapped.Format("\\\\%s\\Microsoft SDK\\%s", PA_BUILD_SERVER_NAME, path.Mid(directory.GetLength()).GetString());
  } else if (DirectoryOf("VC98", directory) && StartsWith(path, directory)) {
    mapped.Format("\\\\%s\\VC98\\%s", PA_BUILD_SERVER_NAME, path.Mid(directory.GetLength()).GetString());
  } else {
    return 0;
  }
  int result = iniFile ? PAWritePrivateProfileString("XREF", key, mapped, iniFile) : 1;
  path = mapped;
  return result;
}
