// The calendar date functions of the chart: edge cases of weeks, months, quarters and leap
// years, and the exact bytes of the scale's texts.
#include "Gantt_src/CalendarDate.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(const CString& str)
{
    return std::string(static_cast<LPCTSTR>(str), str.GetLength());
}

struct Ymd {
    int y, m, d;
};

bool operator==(const Ymd& a, const Ymd& b) { return a.y == b.y && a.m == b.m && a.d == b.d; }

std::ostream& operator<<(std::ostream& os, const Ymd& v)
{
    return os << v.y << "-" << v.m << "-" << v.d;
}

Ymd AfterWeekStart(int y, int m, int d)
{
    NextWeekStart(y, m, d);
    return {y, m, d};
}

} // namespace

TEST(CalendarDate, FirstDayOfTheEraIsMonday)
{
    EXPECT_EQ(1, GetDayOfWeek(1, 1, 1));
}

TEST(CalendarDate, LeapYearsOfCenturies)
{
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_EQ(28, GetDaysInMonth(1900, 2));
    EXPECT_EQ(29, GetDaysInMonth(2000, 2));
    EXPECT_TRUE(IsLastDayOfMonth(1900, 2, 28));
    EXPECT_FALSE(IsLastDayOfMonth(2000, 2, 28));
    EXPECT_TRUE(IsLastDayOfMonth(2000, 2, 29));
}

TEST(CalendarDate, DayStepsAroundFebruaryEnd)
{
    int y = 2004, m = 2, d = 28;
    NextDay(y, m, d);
    EXPECT_EQ((Ymd{2004, 2, 29}), (Ymd{y, m, d}));
    y = 2003, m = 2, d = 28;
    NextDay(y, m, d);
    EXPECT_EQ((Ymd{2003, 3, 1}), (Ymd{y, m, d}));
    y = 2004, m = 3, d = 1;
    PrevDay(y, m, d);
    EXPECT_EQ((Ymd{2004, 2, 29}), (Ymd{y, m, d}));
    y = 1900, m = 3, d = 1;
    PrevDay(y, m, d);
    EXPECT_EQ((Ymd{1900, 2, 28}), (Ymd{y, m, d}));
}

TEST(CalendarDate, WeekdaysAgreeWithTheDateClassOverTwoCenturies)
{
    int y = 1900, m = 1, d = 1;
    while (y < 2101) {
        const int expected = COleDateTime(y, m, d, 0, 0, 0).GetDayOfWeek() - 1;
        ASSERT_EQ(expected, GetDayOfWeek(y, m, d)) << Ymd{y, m, d};
        NextDay(y, m, d);
    }
}

TEST(CalendarDate, NextWeekStartFromSaturdayFebruary28)
{
    ASSERT_EQ(6, GetDayOfWeek(2004, 2, 28));
    EXPECT_EQ((Ymd{2004, 2, 29}), AfterWeekStart(2004, 2, 28));
    ASSERT_EQ(6, GetDayOfWeek(2009, 2, 28));
    EXPECT_EQ((Ymd{2009, 3, 1}), AfterWeekStart(2009, 2, 28));
}

TEST(CalendarDate, NextWeekStartIsAlwaysTheFollowingSunday)
{
    // From a Sunday a whole week on; across the year end.
    ASSERT_EQ(0, GetDayOfWeek(2023, 12, 31));
    EXPECT_EQ((Ymd{2024, 1, 7}), AfterWeekStart(2023, 12, 31));
    EXPECT_EQ((Ymd{2025, 1, 5}), AfterWeekStart(2024, 12, 30));
    int y = 2000, m = 1, d = 1;
    for (int i = 0; i < 800; ++i) {
        int ny = y, nm = m, nd = d;
        NextWeekStart(ny, nm, nd);
        ASSERT_EQ(0, GetDayOfWeek(ny, nm, nd)) << Ymd{y, m, d};
        const double gap = (COleDateTime(ny, nm, nd, 0, 0, 0) - COleDateTime(y, m, d, 0, 0, 0)).GetTotalDays();
        ASSERT_GE(gap, 1.0) << Ymd{y, m, d};
        ASSERT_LE(gap, 7.0) << Ymd{y, m, d};
        NextDay(y, m, d);
    }
}

TEST(CalendarDate, NextMonthFlagsTheYearChange)
{
    int y = 2024, m = 12, flag = -1;
    NextMonth(y, m, flag);
    EXPECT_EQ(2025, y);
    EXPECT_EQ(1, m);
    EXPECT_EQ(1, flag);
    for (int month = 1; month <= 11; ++month) {
        y = 2024, m = month, flag = -1;
        NextMonth(y, m, flag);
        EXPECT_EQ(2024, y);
        EXPECT_EQ(month + 1, m);
        EXPECT_EQ(0, flag);
    }
}

TEST(CalendarDate, NextQuarterFromEveryMonth)
{
    const int expected[12] = {4, 4, 4, 7, 7, 7, 10, 10, 10, 1, 1, 1};
    for (int month = 1; month <= 12; ++month) {
        int y = 2024, m = month;
        NextQuarter(y, m);
        EXPECT_EQ(expected[month - 1], m) << month;
        EXPECT_EQ(month >= 10 ? 2025 : 2024, y) << month;
    }
    int y = 2024, m = 11;
    NextQuarter(y, m);
    EXPECT_EQ(2025, y);
    EXPECT_EQ(1, m);
}

TEST(CalendarDate, QuarterEndMonths)
{
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(month % 3 == 0, IsQuarterEndMonth(2024, month, 1) != FALSE) << month;
    EXPECT_FALSE(IsQuarterEndMonth(2024, 0, 1));
    EXPECT_FALSE(IsQuarterEndMonth(2024, 15, 1));
}

TEST(CalendarDate, MonthsOutsideTheYearChangeNothing)
{
    EXPECT_EQ(0, GetDaysInMonth(2024, 0));
    EXPECT_EQ(0, GetDaysInMonth(2024, 13));
    EXPECT_FALSE(IsLastDayOfMonth(2024, 13, 0));
    EXPECT_FALSE(IsLastDayOfMonth(2024, 0, 0));

    int y = 2024, m = 13, d = 5;
    NextDay(y, m, d);
    EXPECT_EQ((Ymd{2024, 13, 5}), (Ymd{y, m, d}));
    PrevDay(y, m, d);
    EXPECT_EQ((Ymd{2024, 13, 5}), (Ymd{y, m, d}));
    NextWeekStart(y, m, d);
    EXPECT_EQ((Ymd{2024, 13, 5}), (Ymd{y, m, d}));
    m = 0;
    NextWeekStart(y, m, d);
    EXPECT_EQ((Ymd{2024, 0, 5}), (Ymd{y, m, d}));
    int flag = -1;
    NextMonth(y, m, flag);
    EXPECT_EQ(0, m);
    EXPECT_EQ(0, flag);
    NextQuarter(y, m);
    EXPECT_EQ(0, m);
    EXPECT_EQ(2024, y);
}

TEST(CalendarDate, ScaleTextsExactBytes)
{
    // " 2024年2月29日" in code page 936.
    EXPECT_EQ(std::string(" 2024\xC4\xEA" "2\xD4\xC2" "29\xC8\xD5"), Bytes(FormatScaleDate(2024, 2, 29)));
    // " 2024年第4季度"
    EXPECT_EQ(std::string(" 2024\xC4\xEA\xB5\xDA" "4\xBC\xBE\xB6\xC8"), Bytes(FormatQuarter(2024, 11)));
    EXPECT_EQ(std::string(" 1999\xC4\xEA\xB5\xDA" "1\xBC\xBE\xB6\xC8"), Bytes(FormatQuarter(1999, 3)));
    EXPECT_EQ(std::string(" 1999\xC4\xEA\xB5\xDA" "2\xBC\xBE\xB6\xC8"), Bytes(FormatQuarter(1999, 4)));
}

TEST(CalendarDate, WeekdayLabels)
{
    const char* const expected[7] = {"\xC8\xD5", "\xD2\xBB", "\xB6\xFE", "\xC8\xFD",
                                     "\xCB\xC4", "\xCE\xE5", "\xC1\xF9"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(std::string(expected[i]), Bytes(GetWeekdayLabel(i))) << i;
    EXPECT_TRUE(GetWeekdayLabel(-1).IsEmpty());
    EXPECT_TRUE(GetWeekdayLabel(7).IsEmpty());
}
