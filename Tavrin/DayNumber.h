// Serial day numbers for the calendar walks: consecutive integers for consecutive days, so
// a walk is integer arithmetic and a weekday is a remainder. Internal to the library.
#pragma once

namespace tavrin {

// Day number of a Gregorian date (1 January 1970 is 0). The date must exist.
// Counting in eras of 400 years (146097 days) that begin on 1 March, so that the leap day
// is the last day of each counted year.
constexpr long DayNumberFromDate(int nYear, int nMonth, int nDay)
{
    long y = nYear - (nMonth <= 2 ? 1 : 0);
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;                                   // 0 .. 399
    const long mp = (nMonth + 9) % 12;                                // March = 0
    const long doy = (153 * mp + 2) / 5 + nDay - 1;                   // 0 .. 365
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;           // 0 .. 146096
    return era * 146097 + doe - 719468;
}

// The date of a day number.
void DateFromDayNumber(long nDayNumber, int& nYear, int& nMonth, int& nDay);

// Weekday of a day number, 0 Sunday .. 6 Saturday.
int WeekdayOfDayNumber(long nDayNumber);

} // namespace tavrin
