// COM base services; on Windows <objbase.h> declares CoCreateGuid.
#pragma once

#include <windows.h>
