// PAUtilsConfig: a project file with the settings of the header and source
// tools.
#include <tekora/configuration.h>

IMPLEMENT_SERIAL(PAUtilsConfig, PAWinProject, VERSIONABLE_SCHEMA | 0x70)

PAUtilsConfig::PAUtilsConfig() {}

// The project tree first; the tools' template then finds the same root
// (MAIN and its GUID) and appends UTILS after PROJECT.
PAUtilsConfig::PAUtilsConfig(LPCSTR file) : PAWinProject(file) { InitFromTemplate(file, &Template, this, 1); }

PAUtilsConfig::~PAUtilsConfig() {}

CRuntimeClass* PAUtilsConfig::GetThisClass() { return RUNTIME_CLASS(PAUtilsConfig); }

CRuntimeClass* PAUtilsConfig::GetBaseClass() { return RUNTIME_CLASS(PAWinProject); }
