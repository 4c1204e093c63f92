#include "Gantt_src/CalendarDate.h"

BOOL IsLastDayOfMonth(int nYear, int nMonth, int nDay)
{
    const int nDays = GetDaysInMonth(nYear, nMonth);
    return nDays != 0 && nDay == nDays;
}

BOOL IsQuarterEndMonth(int /*nYear*/, int nMonth, int /*nDay*/)
{
    return nMonth == 3 || nMonth == 6 || nMonth == 9 || nMonth == 12;
}

void NextMonth(int& nYear, int& nMonth, int& nYearChanged)
{
    nYearChanged = 0;
    if (nMonth < 1 || nMonth > 12)
        return;
    if (nMonth == 12) {
        nMonth = 1;
        ++nYear;
        nYearChanged = 1;
    } else {
        ++nMonth;
    }
}

void NextWeekStart(int& nYear, int& nMonth, int& nDay)
{
    const int nWeekDay = GetDayOfWeek(nYear, nMonth, nDay);
    if (nWeekDay < 0)
        return;
    int y = nYear, m = nMonth, d = nDay + (7 - nWeekDay);
    const int nDays = GetDaysInMonth(y, m);
    if (d > nDays) {
        d -= nDays;
        if (m == 12) {
            m = 1;
            ++y;
        } else {
            ++m;
        }
    }
    nYear = y;
    nMonth = m;
    nDay = d;
}

void NextQuarter(int& nYear, int& nMonth)
{
    const int nQuarter = GetQuarter(nMonth);
    if (nQuarter == 0)
        return;
    if (nQuarter == 4) {
        nMonth = 1;
        ++nYear;
    } else {
        nMonth = nQuarter * 3 + 1;
    }
}

int GetQuarter(int nMonth)
{
    if (nMonth < 1 || nMonth > 12)
        return 0;
    return (nMonth - 1) / 3 + 1;
}

CString FormatScaleDate(int nYear, int nMonth, int nDay)
{
    CString str;
    str.Format(" %d年%d月%d日", nYear, nMonth, nDay);
    return str;
}

CString FormatQuarter(int nYear, int nMonth)
{
    CString str;
    str.Format(" %d年第%d季度", nYear, GetQuarter(nMonth));
    return str;
}

CString GetWeekdayLabel(int nWeekDay)
{
    static const char* const kLabels[7] = {"日", "一", "二", "三", "四", "五", "六"};
    if (nWeekDay < 0 || nWeekDay > 6)
        return CString();
    return CString(kLabels[nWeekDay]);
}
