// The COM services of the subset: new GUIDs.
#pragma once

#include "winport/base.h"

#ifdef __cplusplus
extern "C" {
#endif

// A new random GUID (version 4, RFC 4122 variant) from the system's random
// source, as Windows makes them. S_OK; E_INVALIDARG for a null pointer;
// E_FAIL when the random source cannot be read (the GUID is then zero).
HRESULT WINAPI CoCreateGuid(GUID* pguid);

#ifdef __cplusplus
}
#endif
