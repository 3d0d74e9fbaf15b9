#include "report_error.h"

#include <stdarg.h>
#include <stdio.h>

#include <afxwin.h>
#include <tekora/build_server.h>

namespace {

const char kSettingsKey[] = "Software\\Kestrova\\Utils\\quillet\\Settings";
const char kMessageBoxValue[] = "MessageBox";
const int kMessageBufferSize = 10240;

bool IsBuildServer() {
  char name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = sizeof name;
  return GetComputerNameA(name, &size) && _stricmp(name, PA_BUILD_SERVER_NAME) == 0;
}

}  // namespace

bool ShouldShowErrorBox() {
  if (IsBuildServer()) return true;

  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return true;
  DWORD value = 0;
  DWORD type = 0;
  DWORD size = sizeof value;
  const LONG result =
      RegQueryValueExA(key, kMessageBoxValue, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_DWORD) return true;
  return value != 0;
}

void ReportError(const char* format, ...) {
  char message[kMessageBufferSize];
  va_list args;
  va_start(args, format);
  vsnprintf(message, sizeof message, format, args);
  va_end(args);

  printf("%s\n", message);
  fflush(stdout);
  if (ShouldShowErrorBox()) AfxMessageBox(message, MB_ICONERROR | MB_OK);
}
