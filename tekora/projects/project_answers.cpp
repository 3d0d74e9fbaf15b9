// The answer cache of the project locators, exported as data.
#include "project_answers.h"

#include <tekora/project_list.h>

// Associations are allocated ten at a time.
CMapStringToString* g_paProjectAnswers = NULL;

namespace tekora {

void CreateProjectAnswers() {
  if (!g_paProjectAnswers) g_paProjectAnswers = new CMapStringToString(10);
}

void FreeProjectAnswers() {
  delete g_paProjectAnswers;
  g_paProjectAnswers = NULL;
}

}  // namespace tekora
