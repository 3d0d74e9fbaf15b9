// The templates of project files: the project tree, and the tools' part
// that PAUtilsConfig adds to it.
#include <tekora/configuration.h>

#include "../string_ids.h"

namespace {

// A key with a string-table default and neither callback nor flags.
#define PLAIN_ENTRY(name, key, value) const PAEntryTemplate name = {key, value, NULL, 0, 0}

PLAIN_ENTRY(kGuid, IDS_PA_CFG_GUID, IDS_PA_CFG_PROJECT_GUID);
const PAEntryTemplate kPriority = {IDS_PA_CFG_PRIORITY, IDS_PA_CFG_DEFAULT_PRIORITY, PAWinProject::InitPriority, 0, 0};
const PAEntryTemplate kPrefix = {IDS_PA_CFG_PREFIX, IDS_PA_CFG_DEFAULT_PREFIX, PAWinProject::InitPrefix, 0, 0};
PLAIN_ENTRY(kProjectExtensions, IDS_PA_CFG_EXTENSIONS, IDS_PA_CFG_PROJECT_EXTENSIONS);
PLAIN_ENTRY(kLeiterName, IDS_PA_CFG_LEITER_NAME, IDS_PA_CFG_UNKNOWN);
PLAIN_ENTRY(kLeiterMail, IDS_PA_CFG_LEITER_MAIL, IDS_PA_CFG_UNKNOWN);
PLAIN_ENTRY(kPlatform, IDS_PA_CFG_PLATFORM, IDS_PA_CFG_DEFAULT_PLATFORM);
PLAIN_ENTRY(kIncludeExtensions, IDS_PA_CFG_EXTENSIONS, IDS_PA_CFG_INCLUDE_EXTENSIONS);
PLAIN_ENTRY(kSourceExtensions, IDS_PA_CFG_EXTENSIONS, IDS_PA_CFG_SOURCE_EXTENSIONS);
PLAIN_ENTRY(kResourceExtensions, IDS_PA_CFG_EXTENSIONS, IDS_PA_CFG_RESOURCE_EXTENSIONS);
PLAIN_ENTRY(kRcMinId, IDS_PA_CFG_RC_MIN_ID, IDS_PA_CFG_ZERO);
PLAIN_ENTRY(kRcMaxId, IDS_PA_CFG_RC_MAX_ID, IDS_PA_CFG_ZERO);
PLAIN_ENTRY(kRcMinMn, IDS_PA_CFG_RC_MIN_MN, IDS_PA_CFG_ZERO);
PLAIN_ENTRY(kRcMaxMn, IDS_PA_CFG_RC_MAX_MN, IDS_PA_CFG_ZERO);

PLAIN_ENTRY(kRemoveAll, IDS_PA_CFG_REMOVE_ALL, IDS_PA_CFG_ZERO);
PLAIN_ENTRY(kGateFormat, IDS_PA_CFG_GATE_FORMAT_KEY, IDS_PA_CFG_GATE_FORMAT);
PLAIN_ENTRY(kPreserveResids, IDS_PA_CFG_PRESERVE_RESIDS, IDS_PA_CFG_ZERO);
PLAIN_ENTRY(kKeepResrcGate, IDS_PA_CFG_KEEP_RESRC_GATE, IDS_PA_CFG_ONE);
PLAIN_ENTRY(kIsDirty, IDS_PA_CFG_IS_DIRTY, IDS_PA_CFG_ZERO);
PLAIN_ENTRY(kExcludeStdafxCpp, IDS_PA_CFG_EXCLUDE_STDAFX_CPP, IDS_PA_CFG_ONE);
PLAIN_ENTRY(kExcludeStdafxH, IDS_PA_CFG_EXCLUDE_STDAFX_H, IDS_PA_CFG_ZERO);
PLAIN_ENTRY(kIncludeSystem, IDS_PA_CFG_INCLUDE_SYSTEM, IDS_PA_CFG_ONE);
PLAIN_ENTRY(kInjLog, IDS_PA_CFG_INJ_LOG, IDS_PA_CFG_ZERO);
PLAIN_ENTRY(kExclude0, IDS_PA_CFG_EXCLUDE0, IDS_PA_CFG_EXCLUDE_AFXRES_H);
PLAIN_ENTRY(kExclude1, IDS_PA_CFG_EXCLUDE1, IDS_PA_CFG_EXCLUDE_AFXRES_RC);

#undef PLAIN_ENTRY

const PAEntryTemplate* const kMainEntries[] = {&kGuid, NULL};

// The project tree.
const PAEntryTemplate* const kSettingsEntries[] = {&kPriority,   &kPrefix,    &kProjectExtensions,
                                                   &kLeiterName, &kLeiterMail, &kPlatform, NULL};
const PANodeTemplate kProjectSettings = {IDS_PA_CFG_PROJECT_SETTINGS, kSettingsEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kIncludeEntries[] = {&kIncludeExtensions, NULL};
const PANodeTemplate kIncludePaths = {IDS_PA_CFG_INCLUDE_PATHS, kIncludeEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kSourceEntries[] = {&kSourceExtensions, NULL};
const PANodeTemplate kSourcePaths = {IDS_PA_CFG_SOURCE_PATHS, kSourceEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kResourceEntries[] = {&kResourceExtensions, &kRcMinId, &kRcMaxId,
                                                   &kRcMinMn,            &kRcMaxMn, NULL};
const PANodeTemplate kResourcePaths = {IDS_PA_CFG_RESOURCE_PATHS, kResourceEntries, NULL, NULL, NULL};
const PANodeTemplate* const kPathKinds[] = {&kIncludePaths, &kSourcePaths, &kResourcePaths, NULL};
const PANodeTemplate kProjectPaths = {IDS_PA_CFG_PROJECT_PATHS, NULL, kPathKinds, NULL, NULL};
const PANodeTemplate* const kProjectChildren[] = {&kProjectSettings, &kProjectPaths, NULL};
const PANodeTemplate kProject = {IDS_PA_CFG_PROJECT, NULL, kProjectChildren, NULL, NULL};
const PANodeTemplate* const kProjectMainChildren[] = {&kProject, NULL};

// The tools' part.
const PAEntryTemplate* const kUtilsEntries[] = {&kRemoveAll,        &kGateFormat,     &kPreserveResids,
                                                &kKeepResrcGate,    &kIsDirty,        &kExcludeStdafxCpp,
                                                &kExcludeStdafxH,   &kIncludeSystem,  &kInjLog,
                                                NULL};
const PANodeTemplate kSystemDirs = {IDS_PA_CFG_SYSTEM_DIRS, NULL, NULL, PAUtilsConfig::InitSystemDirs, NULL};
const PAEntryTemplate* const kExcludedEntries[] = {&kExclude0, &kExclude1, NULL};
const PANodeTemplate kExcludedFiles = {IDS_PA_CFG_EXCLUDED_FILES, kExcludedEntries, NULL, NULL, NULL};
const PANodeTemplate* const kUtilsChildren[] = {&kSystemDirs, &kExcludedFiles, NULL};
const PANodeTemplate kUtils = {IDS_PA_CFG_UTILS, kUtilsEntries, kUtilsChildren, NULL, NULL};
const PANodeTemplate* const kUtilsMainChildren[] = {&kUtils, NULL};

}  // namespace

const PANodeTemplate PAWinProject::Template = {IDS_PA_CFG_MAIN, kMainEntries, kProjectMainChildren, NULL, NULL};
const PANodeTemplate PAUtilsConfig::Template = {IDS_PA_CFG_MAIN, kMainEntries, kUtilsMainChildren, NULL, NULL};
