// Calendar date functions on plain (year, month, day) triples of the Gregorian calendar,
// weekdays 0 (Sunday) to 6 (Saturday). The chart window, its time scale and background
// grid, its mouse handling, the distribution chart and the calendar dialog all use these.
//
// The basic functions (IsLeapYear, GetDaysInMonth, GetDayOfWeek, NextDay, PrevDay) are the
// task library's, so there is one implementation for the whole system; this header adds the
// month, week and quarter steps and the scale's texts.
//
// A triple that is not a date (month outside 1 to 12, day outside the month) is never
// stepped: the step functions leave it unchanged.
#pragma once

#include <ClassLib/Afx.h>
#include <Tavrin/DateFunctions.h>

// TRUE when the day is the last day of its month; FALSE for a month outside 1 to 12.
AFX_EXT_API BOOL IsLastDayOfMonth(int nYear, int nMonth, int nDay);

// TRUE for the months 3, 6, 9 and 12 (the day is not looked at).
AFX_EXT_API BOOL IsQuarterEndMonth(int nYear, int nMonth, int nDay);

// The next month, January of the next year after December; nYearChanged := 1 when the
// year changed, else 0. A month outside 1 to 12 is left as it is (flag 0).
AFX_EXT_API void NextMonth(int& nYear, int& nMonth, int& nYearChanged);

// The next Sunday after the day (7 - weekday days later), across month and year ends.
AFX_EXT_API void NextWeekStart(int& nYear, int& nMonth, int& nDay);

// The first month of the next quarter: 1-3 -> 4, 4-6 -> 7, 7-9 -> 10, 10-12 -> 1 of the
// next year. A month outside 1 to 12 is left as it is.
AFX_EXT_API void NextQuarter(int& nYear, int& nMonth);

// The quarter of a month, 1 to 4; 0 for a month outside 1 to 12.
AFX_EXT_API int GetQuarter(int nMonth);

// " 2024年3月5日": the week titles of the time scale.
AFX_EXT_API CString FormatScaleDate(int nYear, int nMonth, int nDay);

// " 2024年第2季度": the quarter titles of the time scale.
AFX_EXT_API CString FormatQuarter(int nYear, int nMonth);

// "日", "一" ... "六" for the weekdays 0 to 6; empty for any other number.
AFX_EXT_API CString GetWeekdayLabel(int nWeekDay);
