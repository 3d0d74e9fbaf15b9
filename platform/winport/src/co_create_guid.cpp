// CoCreateGuid: random version-4 GUIDs.
#include <errno.h>
#include <string.h>
#include <sys/random.h>
#include <windows.h>

namespace {

// Fills the buffer from the kernel's random source, riding out signals and
// short reads.
bool RandomBytes(unsigned char* buffer, size_t length) {
  while (length > 0) {
    ssize_t n = getrandom(buffer, length, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    buffer += n;
    length -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

extern "C" HRESULT WINAPI CoCreateGuid(GUID* pguid) {
  if (!pguid) return E_INVALIDARG;
  unsigned char bytes[16];
  if (!RandomBytes(bytes, sizeof bytes)) {
    memset(pguid, 0, sizeof *pguid);
    return E_FAIL;
  }
  memcpy(&pguid->Data1, bytes, 4);
  memcpy(&pguid->Data2, bytes + 4, 2);
  memcpy(&pguid->Data3, bytes + 6, 2);
  memcpy(pguid->Data4, bytes + 8, 8);
  pguid->Data3 = static_cast<WORD>((pguid->Data3 & 0x0FFF) | 0x4000);     // version 4
  pguid->Data4[0] = static_cast<BYTE>((pguid->Data4[0] & 0x3F) | 0x80);  // variant 10xx
  return S_OK;
}
