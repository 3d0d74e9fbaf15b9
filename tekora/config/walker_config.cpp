// PAWalkerConfig: the build runner's file, its test, and the callbacks that
// resolve the steps' programs and the log file.
#include <windows.h>

#include <tekora/configuration.h>

#include "../string_ids.h"
#include "config_file_kind.h"
#include "../system/expand_variable.h"

IMPLEMENT_SERIAL(PAWalkerConfig, PANodeObject, VERSIONABLE_SCHEMA | 0x70)

namespace {

// A step's program: its file name alone, then the file found along the
// search path (its full path, lower case) when there is one.
void ResolveProgram(PAConfigInt* program) {
  const CString value = program->GetValue();
  if (value.IsEmpty() || value.GetLength() >= MAX_PATH) return;
  char name[MAX_PATH], extension[MAX_PATH], bare[MAX_PATH];
  _splitpath(value, NULL, NULL, name, extension);
  _makepath(bare, NULL, NULL, name, extension);
  char found[MAX_PATH];
  const DWORD length = SearchPathA(NULL, bare, NULL, MAX_PATH, found, NULL);
  if (length > 0 && length < MAX_PATH) {
    CString full = found;
    full.MakeLower();
    program->SetValue(full);
  } else {
    program->SetValue(bare);
  }
}

}  // namespace

PAWalkerConfig::PAWalkerConfig() {}

PAWalkerConfig::PAWalkerConfig(LPCSTR file) { InitFromTemplate(file, &Template, this, 1); }

PAWalkerConfig::~PAWalkerConfig() {}

CRuntimeClass* PAWalkerConfig::GetThisClass() { return RUNTIME_CLASS(PAWalkerConfig); }

int PAWalkerConfig::IsWalkerConfigFile(LPCSTR path) {
  if (path == NULL) return 0;
  return tekora::HasFileGuid(path, IDS_PA_CFG_WALKER_GUID);
}

int PAWalkerConfig::InitPrograms(PANodeObject* node) {
  if (node == NULL) return 1;
  PAConfigInt* program = node->FindItemById(IDS_PA_CFG_PROGRAM, 0);
  if (program != NULL) {
    program->SetDoNotStore(1);
    ResolveProgram(program);
  }
  for (int i = 0; i < node->GetChildCount(); ++i) InitPrograms(node->GetChild(i));
  return 1;
}

int PAWalkerConfig::InitLogFile(PAConfigInt* item) {
  if (item == NULL) return 0;
  CString logFile;
  if (!tekora::ExpandTextVariable(IDS_PA_CFG_ERRLOG_VARIABLE, logFile) || logFile.IsEmpty()) return 0;
  item->SetValue(logFile);
  item->SetDoNotStore(1);
  return 1;
}
