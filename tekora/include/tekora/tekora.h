// The exported interface of tekora, the suite's project-utilities library.
//
// Every function here is exported by ordinal (see tekora.def); functions take
// 8-bit texts, and string results and in/out arguments are CString references
// rewritten in place. No exception crosses this interface: each function turns
// the framework's exceptions into its result.
#pragma once

#include <tekora/config_items.h>
#include <tekora/configuration.h>
#include <tekora/core.h>
#include <tekora/cvs.h>
#include <tekora/documents.h>
#include <tekora/ini_file.h>
#include <tekora/language_names.h>
#include <tekora/line_profile.h>
#include <tekora/node_object.h>
#include <tekora/project_list.h>
#include <tekora/profiles.h>
#include <tekora/registry.h>
#include <tekora/run_timer.h>
#include <tekora/script_settings.h>
#include <tekora/system.h>
#include <tekora/text.h>
#include <tekora/time_guid.h>
#include <tekora/tree_search.h>
#include <tekora/versions.h>
