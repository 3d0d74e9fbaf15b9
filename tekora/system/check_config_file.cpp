// PACheckConfigFile: a configuration file exists, and is not too short.
#include <afxwin.h>

#include <tekora/system.h>

#include "../string_ids.h"

namespace {

// No valid configuration file is shorter than this.
const unsigned int kMinimumConfigSize = 52;

}  // namespace

int PACheckConfigFile(LPCSTR path, unsigned int* size) {
  unsigned int length = 0;
  if (!PAFileExists(path, &length)) return 1;
  if (size) *size = length;
  if (length < kMinimumConfigSize) {
    try {
      CString message;
      message.Format(IDS_PA_CONFIG_FILE_CORRUPT, path);
      AfxMessageBox(message, MB_ICONERROR | MB_OK);
    } catch (CException* e) {
      e->Delete();  // the warning is lost; the file still counts as present
    }
  }
  return 0;
}
