#include "DayNumber.h"

namespace tavrin {


void DateFromDayNumber(long nDayNumber, int& nYear, int& nMonth, int& nDay)
{
    const long z = nDayNumber + 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    nDay = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    nMonth = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    nYear = static_cast<int>(yoe + era * 400 + (nMonth <= 2 ? 1 : 0));
}

int WeekdayOfDayNumber(long nDayNumber)
{
    // 1 January 1970 was a Thursday.
    long w = (nDayNumber + 4) % 7;
    if (w < 0)
        w += 7;
    return static_cast<int>(w);
}

} // namespace tavrin
