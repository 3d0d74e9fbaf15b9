// The Win32 subset of the platform layer on POSIX. Code above the platform
// layer includes <windows.h> as on Windows; each area lives in its own
// header under winport/.
#pragma once

#include "winport/base.h"
#include "winport/winerror.h"
#include "winport/errhandling.h"
#include "winport/fileapi.h"
#include "winport/libloader.h"
#include "winport/sysinfo.h"
#include "winport/memory.h"
#include "winport/user.h"
#include "winport/registry.h"
#include "winport/sysfolders.h"
#include "winport/timeapi.h"
#include "winport/nls.h"
#include "winport/locale_check.h"
#include "winport/profile.h"
#include "winport/combase.h"
#include "winport/processes.h"
#include "winport/environment.h"
#include "winport/stringapi.h"
#include "winport/replace_file.h"
#include "winport/search_path.h"
