// Calendar arithmetic on plain (year, month, day) triples, Gregorian calendar.
// Months run 1 to 12, weekdays 0 (Sunday) to 6 (Saturday). Years 1 to 65535 (the range a
// 16-bit year carries) are dates; anything else is an invalid date, which these functions
// never step or index with: the step functions leave it as it is and report FALSE, and
// GetDayOfWeek answers -1.
#pragma once

#include <ClassLib/Core/WinTypes.h>

// TRUE when the year is divisible by 4 and not by 100, or divisible by 400.
AFX_EXT_API BOOL IsLeapYear(int nYear);

// Days of the month (February 29 in a leap year); 0 for a month outside 1 to 12.
AFX_EXT_API int GetDaysInMonth(int nYear, int nMonth);

// TRUE when year, month and day name a day that exists.
AFX_EXT_API BOOL IsValidDate(int nYear, int nMonth, int nDay);

// Weekday of the date, 0 Sunday .. 6 Saturday; -1 when the date does not exist.
AFX_EXT_API int GetDayOfWeek(int nYear, int nMonth, int nDay);

// Advance the date by one day in place (31 December goes to 1 January of the next year).
// Returns FALSE and leaves the values untouched when they are not a date or the next day
// lies beyond year 65535.
AFX_EXT_API BOOL NextDay(int& nYear, int& nMonth, int& nDay);
AFX_EXT_API BOOL NextDay(WORD& wYear, WORD& wMonth, WORD& wDay);

// Step the date back by one day in place (1 January goes to 31 December of the year
// before). Returns FALSE and leaves the values untouched when they are not a date or the
// day before lies before year 1.
AFX_EXT_API BOOL PrevDay(int& nYear, int& nMonth, int& nDay);
AFX_EXT_API BOOL PrevDay(WORD& wYear, WORD& wMonth, WORD& wDay);
