#include "DateCalc.h"

#include <cmath>

namespace pc_date {

namespace {

// Days since 1 January 1970 of a proleptic Gregorian date, by 400-year eras.
int64_t DaysFromCivil(int64_t y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, int& m, int& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

const int64_t kEpochOffset = DaysFromCivil(1899, 12, 30);

int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

}  // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && IsLeapYear(year))
        return 29;
    return kDays[month - 1];
}

int64_t DayNumber(int year, int month, int day)
{
    return DaysFromCivil(year, month, day) - kEpochOffset;
}

void CivilFromDayNumber(int64_t dayNumber, int& year, int& month, int& day)
{
    int64_t y = 0;
    CivilFromDays(dayNumber + kEpochOffset, y, month, day);
    year = static_cast<int>(y);
}

bool DateFromParts(int year, int month, int day, int hour, int minute, int second, double& dt)
{
    if (year < 100 || year > 9999)
        return false;
    if (month < 1 || month > 12)
        return false;
    if (day < 1 || day > DaysInMonth(year, month))
        return false;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    const int64_t n = DayNumber(year, month, day);
    const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
    // Before the epoch the time of day is measured away from zero.
    dt = n >= 0 ? static_cast<double>(n) + fraction : static_cast<double>(n) - fraction;
    return true;
}

bool SecondsFromDate(double dt, int64_t& seconds)
{
    if (!std::isfinite(dt))
        return false;
    // Far outside the range: refuse before any integer conversion can overflow.
    if (dt < static_cast<double>(kMinDay) - 2.0 || dt > static_cast<double>(kEndDay) + 2.0)
        return false;
    const double whole = std::trunc(dt);
    int64_t day = static_cast<int64_t>(whole);
    int64_t secs = std::llround(std::fabs(dt - whole) * 86400.0);
    if (secs >= 86400) {  // rounded up to the next midnight
        secs -= 86400;
        day += 1;
    }
    if (day < kMinDay || day >= kEndDay)
        return false;
    seconds = day * 86400 + secs;
    return true;
}

bool PartsFromSeconds(int64_t seconds, Parts& parts)
{
    const int64_t day = FloorDiv(seconds, 86400);
    if (day < kMinDay || day >= kEndDay)
        return false;
    const int64_t secs = seconds - day * 86400;
    CivilFromDayNumber(day, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(secs / 3600);
    parts.minute = static_cast<int>(secs / 60 % 60);
    parts.second = static_cast<int>(secs % 60);
    // Day 0 (30 December 1899) was a Saturday.
    parts.dayOfWeek = static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
    parts.dayOfYear = static_cast<int>(day - DayNumber(parts.year, 1, 1)) + 1;
    return true;
}

bool PartsFromDate(double dt, Parts& parts)
{
    int64_t seconds = 0;
    return SecondsFromDate(dt, seconds) && PartsFromSeconds(seconds, parts);
}

double LinearFromDate(double dt)
{
    if (dt >= 0)
        return dt;
    const double whole = std::ceil(dt);  // the day, toward zero
    return whole + (whole - dt);
}

double DateFromLinear(double linear)
{
    if (linear >= 0 || !std::isfinite(linear))
        return linear;
    const double whole = std::floor(linear);
    const double fraction = linear - whole;
    return fraction == 0.0 ? whole : whole - fraction;
}

bool IsDateInRange(double dt)
{
    int64_t seconds = 0;
    return SecondsFromDate(dt, seconds);
}

}  // namespace pc_date
