// Generic-text names for an 8-bit build (no _UNICODE): each maps to its char form.
#pragma once

#include <string.h>
#include <stdio.h>
#include <stdlib.h>

#ifndef _TCHAR_DEFINED
#define _TCHAR_DEFINED
typedef char _TCHAR;
typedef char _TSCHAR;
typedef unsigned char _TUCHAR;
#endif

#define _T(x) x
#define _TEXT(x) x
#define _tcslen strlen
#define _tcscpy strcpy
#define _tcsncpy strncpy
#define _tcscat strcat
#define _tcscmp strcmp
#define _tcsncmp strncmp
#define _tcsicmp _stricmp
#define _tcsnicmp _strnicmp
#define _tcschr strchr
#define _tcsrchr strrchr
#define _tcsstr strstr
#define _tcsdup _strdup
#define _tcslwr _strlwr
#define _tcsupr _strupr
#define _tcstol strtol
#define _tcstoul strtoul
#define _ttoi atoi
#define _tprintf printf
#define _ftprintf fprintf
#define _stprintf sprintf
#define _sntprintf _snprintf
#define _vsntprintf _vsnprintf
#define _tfopen fopen
#define _tfsopen _fsopen
#define _fgetts fgets
#define _fputts fputs
#define _tmain main
