// The system clock as the class library sees it: calendar time structures, the local time,
// the millisecond tick count, and hooks that let tests fix both clocks.
#pragma once

#include <ClassLib/Core/WinTypes.h>

// A broken-down calendar time. wDayOfWeek counts from 0 = Sunday.
typedef struct _SYSTEMTIME
{
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

// 100-nanosecond intervals since 1 January 1601 UTC.
typedef struct _FILETIME
{
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;

class COleDateTime;

// Milliseconds since the clock started; wraps after about 49.7 days like a 32-bit counter.
DWORD GetTickCount();

// The current local and UTC times. Both follow AfxTestSetCurrentTime when it is set
// (the fixed time is taken as local time; the UTC form then equals it).
void GetLocalTime(LPSYSTEMTIME lpSystemTime);
void GetSystemTime(LPSYSTEMTIME lpSystemTime);

// Test hooks. A non-null pointer fixes the clock at a copy of the value (COleDateTime's and
// CTime's GetCurrentTime, GetLocalTime); nullptr restores the real clock. An invalid or null
// date given here is ignored in favour of the real clock.
void AfxTestSetCurrentTime(const COleDateTime* pTime);
// A non-null pointer fixes GetTickCount at *pTicks; nullptr restores the real counter.
void AfxTestSetTickCount(const DWORD* pTicks);
// Moves a fixed tick count forward (no effect while the real counter runs).
void AfxTestAdvanceTickCount(DWORD dwMilliseconds);
