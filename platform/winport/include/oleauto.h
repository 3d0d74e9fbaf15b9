// OLE Automation's date conversions; on Windows <oleauto.h> declares them.
#pragma once

#include <windows.h>

#include "winport/variant_time.h"
