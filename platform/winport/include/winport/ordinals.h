// Exports by ordinal on POSIX.
//
// A shared library has no ordinal table of its own on POSIX. A module that
// exports by ordinal defines the C symbol `WinportOrdinalTable`: its entries map
// each ordinal to the exported name, ending with an entry whose ordinal is 0.
// GetProcAddress(module, MAKEINTRESOURCEA(n)) looks n up there and resolves the
// name it finds.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

typedef struct WinportOrdinal {
  unsigned short ordinal;
  const char* name;
} WinportOrdinal;

#define WINPORT_ORDINAL_TABLE_SYMBOL "WinportOrdinalTable"

#ifdef __cplusplus
}
#endif
