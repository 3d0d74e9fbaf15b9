// A module whose DllGetVersion refuses every record.
#include <shlwapi.h>
#include <windows.h>

extern "C" HRESULT CALLBACK DllGetVersion(DLLVERSIONINFO*) { return E_FAIL; }
