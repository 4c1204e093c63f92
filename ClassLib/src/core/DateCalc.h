// Calendar arithmetic behind the date classes: proleptic Gregorian day numbers, the DATE
// day-count encoding (days since 30 December 1899; before that day the fraction runs away
// from zero, so -1.25 is 29 December 1899 06:00), and breaking values into their parts.
#pragma once

#include <cstdint>

namespace pc_date {

// Broken-down parts of a date and time. dayOfWeek counts 1 = Sunday .. 7 = Saturday.
struct Parts
{
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
    int dayOfWeek = 7, dayOfYear = 364;
};

// Day count of the first and one past the last representable day (years 100..9999).
constexpr int64_t kMinDay = -657434;  // 1 January 100
constexpr int64_t kEndDay = 2958466;  // 1 January 10000

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1..12

// Days from 30 December 1899 to the given civil date (any year).
int64_t DayNumber(int year, int month, int day);
void CivilFromDayNumber(int64_t dayNumber, int& year, int& month, int& day);

// Checks ranges (year 100..9999, real day of month, 0..23, 0..59, 0..59) and builds the DATE.
bool DateFromParts(int year, int month, int day, int hour, int minute, int second, double& dt);

// A DATE as chronological seconds since 30 December 1899 00:00, rounded to the nearest
// second. False for NaN, infinities and values outside the representable years.
bool SecondsFromDate(double dt, int64_t& seconds);
bool PartsFromSeconds(int64_t seconds, Parts& parts);
bool PartsFromDate(double dt, Parts& parts);

// A chronological day count (negative values simply count backwards) and its DATE form.
double LinearFromDate(double dt);
double DateFromLinear(double linear);
bool IsDateInRange(double dt);

}  // namespace pc_date
