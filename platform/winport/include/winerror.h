// Windows system error codes; see winport/winerror.h.
#pragma once
#include "winport/base.h"
#include "winport/winerror.h"
