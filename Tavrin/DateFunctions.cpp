#include <Tavrin/DateFunctions.h>

namespace {

const int kMaxYear = 65535;

// Month offsets of the weekday sum, January to December.
const int kMonthOffset[12] = {0, 3, 3, 6, 1, 4, 6, 2, 5, 0, 3, 5};

template <class T>
BOOL StepForward(T& year, T& month, T& day)
{
    const int y = year, m = month, d = day;
    if (!IsValidDate(y, m, d))
        return FALSE;
    if (d < GetDaysInMonth(y, m)) {
        day = static_cast<T>(d + 1);
    } else if (m < 12) {
        month = static_cast<T>(m + 1);
        day = 1;
    } else {
        if (y >= kMaxYear)
            return FALSE;
        year = static_cast<T>(y + 1);
        month = 1;
        day = 1;
    }
    return TRUE;
}

template <class T>
BOOL StepBack(T& year, T& month, T& day)
{
    const int y = year, m = month, d = day;
    if (!IsValidDate(y, m, d))
        return FALSE;
    if (d > 1) {
        day = static_cast<T>(d - 1);
    } else if (m > 1) {
        month = static_cast<T>(m - 1);
        day = static_cast<T>(GetDaysInMonth(y, m - 1));
    } else {
        if (y <= 1)
            return FALSE;
        year = static_cast<T>(y - 1);
        month = 12;
        day = 31;
    }
    return TRUE;
}

} // namespace

BOOL IsLeapYear(int nYear)
{
    return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
}

int GetDaysInMonth(int nYear, int nMonth)
{
    switch (nMonth) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        return 31;
    case 4: case 6: case 9: case 11:
        return 30;
    case 2:
        return IsLeapYear(nYear) ? 29 : 28;
    default:
        return 0;
    }
}

BOOL IsValidDate(int nYear, int nMonth, int nDay)
{
    if (nYear < 1 || nYear > kMaxYear || nMonth < 1 || nMonth > 12)
        return FALSE;
    return nDay >= 1 && nDay <= GetDaysInMonth(nYear, nMonth);
}

int GetDayOfWeek(int nYear, int nMonth, int nDay)
{
    if (!IsValidDate(nYear, nMonth, nDay))
        return -1;
    const int c = nYear - 1;
    int sum = c % 7 + c / 4 - c / 100 + c / 400 + kMonthOffset[nMonth - 1] + nDay;
    if (nMonth > 2 && IsLeapYear(nYear))
        sum += 1;
    return sum % 7;
}

BOOL NextDay(int& nYear, int& nMonth, int& nDay) { return StepForward(nYear, nMonth, nDay); }
BOOL NextDay(WORD& wYear, WORD& wMonth, WORD& wDay) { return StepForward(wYear, wMonth, wDay); }
BOOL PrevDay(int& nYear, int& nMonth, int& nDay) { return StepBack(nYear, nMonth, nDay); }
BOOL PrevDay(WORD& wYear, WORD& wMonth, WORD& wDay) { return StepBack(wYear, wMonth, wDay); }
