// The process-wide GUID registry: every GUID the library has handed out or
// a caller has registered, as text in the underscore form. The library
// makes it when it is loaded and frees it when it is unloaded (DllMain).
#pragma once

namespace tekora {

void CreateGuidRegistry();
void FreeGuidRegistry();

}  // namespace tekora
