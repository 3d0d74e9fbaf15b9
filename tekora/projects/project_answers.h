// The locator's answer cache (g_paProjectAnswers): made when the library is
// loaded and freed when it is unloaded (DllMain).
#pragma once

namespace tekora {

void CreateProjectAnswers();
void FreeProjectAnswers();

}  // namespace tekora
