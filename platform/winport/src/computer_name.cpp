// GetComputerNameA: the registry's name for this computer, else the host name.
#include <ctype.h>
#include <string.h>
#include <unistd.h>
#include <windows.h>

#include <string>

namespace {

// Where Windows keeps the computer name; tests and administrators set it there.
const char kComputerNameKey[] = "System\\CurrentControlSet\\Control\\ComputerName\\ComputerName";

std::string FromRegistry() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kComputerNameKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return std::string();
  char buffer[256];
  DWORD size = sizeof buffer;
  DWORD type = 0;
  LSTATUS status = RegQueryValueExA(key, "ComputerName", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ || size == 0) return std::string();
  return std::string(buffer, strnlen(buffer, size));
}

std::string FromHostName() {
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0) return "LOCALHOST";
  std::string name(host, strcspn(host, "."));
  for (char& c : name) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return name;
}

}  // namespace

extern "C" BOOL WINAPI GetComputerNameA(LPSTR lpBuffer, LPDWORD nSize) {
  if (!nSize) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string name = FromRegistry();
  if (name.empty()) name = FromHostName();
  if (name.size() > MAX_COMPUTERNAME_LENGTH) name.resize(MAX_COMPUTERNAME_LENGTH);
  if (!lpBuffer || *nSize < name.size() + 1) {
    *nSize = static_cast<DWORD>(name.size() + 1);
    SetLastError(ERROR_BUFFER_OVERFLOW);
    return FALSE;
  }
  memcpy(lpBuffer, name.c_str(), name.size() + 1);
  *nSize = static_cast<DWORD>(name.size());
  return TRUE;
}
