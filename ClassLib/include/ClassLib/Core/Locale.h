// The user's locale settings the system reads. The locale is the system's own (Chinese,
// code page 936): the list separator is ",".
#pragma once

#include <ClassLib/Core/WinTypes.h>

typedef DWORD LCID;
typedef DWORD LCTYPE;

#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SLIST 0x0000000C
#define LOCALE_SDECIMAL 0x0000000E
#define LOCALE_STHOUSAND 0x0000000F

// Copies the value (terminated) into lpLCData and returns its length with the
// terminator; with cchData 0 returns the length needed; 0 for an unknown value or a
// buffer too small.
AFX_EXT_API int GetLocaleInfo(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData);
#define GetLocaleInfoA GetLocaleInfo
