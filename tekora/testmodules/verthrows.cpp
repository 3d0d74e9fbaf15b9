// A module whose DllGetVersion throws instead of answering.
#include <shlwapi.h>
#include <windows.h>

#include <stdexcept>

extern "C" HRESULT CALLBACK DllGetVersion(DLLVERSIONINFO*) { throw std::runtime_error("broken"); }
